#!/usr/bin/env bash
# Runs a command (an in-process test executable) on a private X server.
source "$(dirname "$0")/lib.sh"
gui_begin
"$@"
