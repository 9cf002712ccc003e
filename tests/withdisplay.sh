#!/bin/sh
# Runs a test that needs an X display: on the caller's display when there is
# one, otherwise on a virtual one of its own.
if [ -n "$DISPLAY" ]; then
    exec "$@"
fi
exec xvfb-run -a -s "-screen 0 1280x1024x24" "$@"
