#!/usr/bin/env bash
# One range of a large sweep per task of a Slurm job array:
#   sbatch --array=0-9 tools/sweep_slurm.sh
# Task i runs seeds FIRST_SEED + i * SEEDS_PER_TASK onwards on the cores
# Slurm gave it and writes part-<i>.csv (i zero-padded) in the folder the job
# was submitted from. Merge the parts once every task has ended:
#   { head -n 1 part-0000.csv; tail -q -n +2 part-*.csv; } > sweep.csv
#
# Given vivar-sim's options, the tasks of the array share out those runs
# instead, with --part, task by task in order: the array's tasks must be
# numbered without gaps. Only the first part has the header:
#   sbatch --array=0-9 tools/sweep_slurm.sh --seeds 1:100 --vary size=20:200:20 --generations 2000 --summary
#   cat part-*.csv > experiment.csv
# A task stopped by SIGTERM (a time limit, a preemption, scancel) goes on
# when resubmitted alone with its part and --resume in its options; the
# script then adds no --part and writes no file of its own:
#   sbatch --array=3 tools/sweep_slurm.sh --seeds 1:100 --vary size=20:200:20 --generations 2000 --summary \
#     --part 4/10 --resume part-0003.csv
#SBATCH --job-name=vivar-sweep
#SBATCH --cpus-per-task=8
#SBATCH --output=vivar-sweep-%A_%a.log
set -eu
task=${SLURM_ARRAY_TASK_ID:?run as a task of a job array: sbatch --array=0-9 $0}
part_file=part-$(printf %04d "$task").csv
if [ $# -gt 0 ]; then
  # A resubmitted task is an array of one, whose bounds no longer tell its
  # part: its options say it, and --resume names the file it goes on with.
  case " $* " in
    *" --resume "*) exec "${VIVAR_SIM:-vivar-sim}" "$@" --jobs "${SLURM_CPUS_PER_TASK:-1}" ;;
  esac
  first_task=${SLURM_ARRAY_TASK_MIN:?run as a task of a job array}
  last_task=${SLURM_ARRAY_TASK_MAX:?run as a task of a job array}
  exec "${VIVAR_SIM:-vivar-sim}" "$@" --part "$(( task - first_task + 1 ))/$(( last_task - first_task + 1 ))" \
    --jobs "${SLURM_CPUS_PER_TASK:-1}" >"$part_file"
fi
per_task=${SEEDS_PER_TASK:-1000}
first=$(( ${FIRST_SEED:-1} + task * per_task ))
# exec, here as above, so that a SIGTERM to the batch step reaches vivar-sim,
# which then ends at a whole row, rather than a shell that would die first.
exec "${VIVAR_SIM:-vivar-sim}" --seeds "$first:$(( first + per_task - 1 ))" --jobs "${SLURM_CPUS_PER_TASK:-1}" \
  --generations "${GENERATIONS:-5000}" --counts >"$part_file"
