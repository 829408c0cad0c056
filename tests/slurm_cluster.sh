#!/usr/bin/env bash
# tools/sweep_slurm.sh under a real Slurm: munge and a one-node cluster on
# this machine's two cores, all of it in the test's folder, stopped at the
# end whatever happens. Job arrays of a sweep of seeds and of an experiment
# merge to what one vivar-sim prints; a task stopped by scancel's SIGTERM
# and resubmitted with --resume leaves the merged table the same. Skipped,
# with the reason on one line, where Slurm cannot start here.
#   slurm_cluster.sh VIVAR-SIM
source "$(dirname "$0")/lib.sh"
export VIVAR_SIM
VIVAR_SIM=$(realpath "$1")
skip() { echo "SKIPPED: $*"; exit 77; }
for program in munged mungekey slurmctld slurmd sbatch squeue scancel; do
  command -v "$program" >/dev/null || skip "$program is not installed (./build.sh test installs Slurm and munge)"
done

# munged refuses a socket in a folder that not everyone may enter, and a key
# that anyone but its owner may read.
chmod 711 "$work"
mkdir -m 755 "$work/munge" "$work/log"
mkdir "$work/state" "$work/spool"
mungekey --create --keyfile="$work/munge/key" || skip "mungekey could not make a key"
pids=()
before_clean_up() {
  scancel --full --signal=KILL --quiet --user="$(id -un)" 2>/dev/null
  wait_for 10 no_jobs
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
  wait
}
no_jobs() { [ -z "$(squeue -h -o %i 2>/dev/null)" ]; }
munged -F --socket="$work/munge/socket" --key-file="$work/munge/key" --pid-file="$work/munge/pid" \
  --seed-file="$work/munge/seed" --log-file="$work/log/munged.log" >"$work/log/munged.out" 2>&1 &
pids+=($!)
wait_for 5 test -S "$work/munge/socket" || skip "munged did not start: $(grep -m1 Error "$work/log/munged.out")"

# Two free ports of the loopback, for the controller and the node.
read -r controller_port node_port < <(python3 -c 'import socket
s = [socket.socket() for _ in range(2)]
for x in s: x.bind(("127.0.0.1", 0))
print(*[x.getsockname()[1] for x in s])')
node=$(hostname -s)
export SLURM_CONF=$work/slurm.conf
cat >"$SLURM_CONF" <<EOF
ClusterName=vivar-test
SlurmctldHost=$node(127.0.0.1)
SlurmctldPort=$controller_port
SlurmdPort=$node_port
SlurmUser=root
AuthType=auth/munge
CredType=cred/munge
AuthInfo=socket=$work/munge/socket
StateSaveLocation=$work/state
SlurmdSpoolDir=$work/spool
SlurmctldPidFile=$work/slurmctld.pid
SlurmdPidFile=$work/slurmd.pid
SlurmctldLogFile=$work/log/slurmctld.log
SlurmdLogFile=$work/log/slurmd.log
MailProg=/bin/true
ProctrackType=proctrack/linuxproc
TaskPlugin=task/none
SelectType=select/cons_tres
SelectTypeParameters=CR_CPU
MpiDefault=none
SlurmdParameters=config_overrides
ReturnToService=2
AccountingStorageType=accounting_storage/none
JobAcctGatherType=jobacct_gather/none
JobCompType=jobcomp/filetxt
JobCompLoc=$work/log/jobcomp.txt
NodeName=$node NodeAddr=127.0.0.1 CPUs=2 State=UNKNOWN
PartitionName=test Nodes=$node Default=YES MaxTime=INFINITE State=UP
EOF
slurmctld -D -i >"$work/log/slurmctld.out" 2>&1 &
pids+=($!)
slurmd -D -N "$node" >"$work/log/slurmd.out" 2>&1 &
pids+=($!)
node_idle() { [ "$(sinfo -h -n "$node" -o %T 2>/dev/null)" = idle ]; }
wait_for 10 node_idle ||
  skip "Slurm's node never came up: $(grep -h -m1 -E 'fatal|error' "$work"/log/slurm*.out | tail -n 1)"
echo "a Slurm cluster of one node, $node, controller on port $controller_port, up after ${SECONDS}s"

# The array's tasks, one line each, into the log.
snapshot() { echo "--- squeue, $1"; squeue -r -o '%.12i %.12j %.8T %.6C %.10M %R'; }
# Submits tools/sweep_slurm.sh from FOLDER and waits for every task, five
# minutes at most: its tasks take seconds, and only a hang outlasts that,
# which then ends here, where the clean-up still runs, not at ctest's limit.
submit() {  # FOLDER SBATCH-OPTIONS... -- SCRIPT-OPTIONS...
  local folder=$work/$1 options=()
  shift
  while [ "$1" != -- ]; do options+=("$1"); shift; done
  shift
  mkdir -p "$folder"
  timeout 300 sbatch --quiet --wait --chdir="$folder" --cpus-per-task=1 "${options[@]}" "$tools/sweep_slurm.sh" "$@"
}

# A sweep of seeds: three tasks of four seeds, merged as docs/sweeps.md
# merges them, are the one range.
SEEDS_PER_TASK=4 GENERATIONS=100 submit sweep --array=0-2 -- || fail "the sweep's array failed: $(cat "$work"/sweep/*.log)"
(cd "$work/sweep" && { head -n 1 part-0000.csv; tail -q -n +2 part-*.csv; } >merged.csv)
"$VIVAR_SIM" --seeds 1:12 --generations 100 --counts --jobs 2 | cmp -s - "$work/sweep/merged.csv" ||
  fail "three tasks' merged sweep differs from --seeds 1:12"

# An experiment shared out by --part over three tasks, concatenated.
experiment=(--seeds 1:10 --vary hatch=1:3:1 --generations 100 --summary)
submit experiment --array=0-2 -- "${experiment[@]}" ||
  fail "the experiment's array failed: $(cat "$work"/experiment/*.log)"
cat "$work"/experiment/part-*.csv >"$work/experiment/merged.csv"
"$VIVAR_SIM" "${experiment[@]}" --jobs 2 | cmp -s - "$work/experiment/merged.csv" ||
  fail "three --part tasks' experiment differs from the whole"

# A task stopped by SIGTERM, as a time limit or a preemption stops it, once
# it is running and has written rows, then resubmitted alone with --resume.
# Its part lasts some seconds, far longer than a squeue and a scancel take.
# --full: by default scancel does not signal a batch step, which is where
# the script runs vivar-sim.
long=(--seeds 1:600 --vary hatch=1:2:1 --generations 500 --summary)
mkdir "$work/stopped"
job=$(sbatch --parsable --chdir="$work/stopped" --cpus-per-task=1 --array=0-1 "$tools/sweep_slurm.sh" "${long[@]}") ||
  die "sbatch refused the array to stop"
running_with_rows() {
  [ "$(squeue -h -j "${job}_1" -o %T 2>/dev/null)" = RUNNING ] &&
    [ -f "$work/stopped/part-0001.csv" ] && [ "$(wc -l <"$work/stopped/part-0001.csv")" -ge 1 ]
}
wait_for 30 running_with_rows || die "task 1 of job $job never ran with rows: $(cat "$work"/stopped/*.log)"
snapshot "task ${job}_1 running, rows in its part: $(wc -l <"$work/stopped/part-0001.csv")"
scancel --full --signal=TERM "${job}_1"
wait_for 30 no_jobs || die "job $job still has tasks five minutes after scancel"
grep -h '^vivar-sim: stopped' "$work"/stopped/*_1.log ||
  fail "the stopped task said not how far it came: $(cat "$work"/stopped/*_1.log)"
grep "ArrayJobId=$job ArrayTaskId=1 " "$work/log/jobcomp.txt" | grep -q ' ExitCode=143:0 ' ||
  fail "Slurm saw task 1 end otherwise than by SIGTERM's status 143"
rows=$(wc -l <"$work/stopped/part-0001.csv")
[ "$rows" -lt 600 ] || fail "task 1 wrote all its 600 rows: the scancel came too late to test a resume"
echo "task 1 stopped after $rows of its 600 rows"
submit stopped --array=1 -- "${long[@]}" --part 2/2 --resume part-0001.csv ||
  fail "the resumed task failed: $(cat "$work"/stopped/*.log)"
cat "$work"/stopped/part-*.csv >"$work/stopped/merged.csv"
"$VIVAR_SIM" "${long[@]}" --jobs 2 | cmp -s - "$work/stopped/merged.csv" ||
  fail "stopped and resumed, the merged experiment differs from the whole"

# sacct needs slurmdbd; the job completion log lists every task instead.
echo "--- sacct: $(sacct 2>&1 | head -n 1)"
echo "--- job completion log"
awk '{ for (i = 1; i <= NF; i++) { split($i, kv, "="); f[kv[1]] = $i }
  print f["JobId"], f["ArrayJobId"], f["ArrayTaskId"], f["JobState"], f["ExitCode"], f["StartTime"], f["EndTime"] }' \
  "$work/log/jobcomp.txt"
echo "the whole test took ${SECONDS}s"
end_checks
