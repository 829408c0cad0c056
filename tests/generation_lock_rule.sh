#!/usr/bin/env bash
# On the window's side nothing but BoardAccess (base/thread_flags.cpp) tries
# or takes the generation lock: a lock tried there directly might be one the
# view thread holds already, through an access further up its stack, and a
# std::mutex tried by its holder is undefined behaviour.
#   generation_lock_rule.sh SOURCE-DIR
set -u
cd "$1" || exit 2
found=$(grep -rnE 'generationMutex|try_lock|try_to_lock|defer_lock' app view platform programs \
          --include='*.cpp' --include='*.h' | grep -vE '^[^:]+:[0-9]+:[[:space:]]*//')
if [ -n "$found" ]; then
  echo "FAIL: a lock taken or tried in app/, view/, platform/ or programs/ other than through BoardAccess:"
  echo "$found"
  exit 1
fi
echo "the window's side takes the generation lock only through BoardAccess"
