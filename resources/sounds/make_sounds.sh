#!/bin/sh
# Makes the two short sounds of the master hot key: a rising chirp when hot
# keys are switched on (resource 154), a falling one when they are switched
# off (resource 158). Needs sox; the .wav files are kept in the repository
# so that a build does not.
set -e
cd "$(dirname "$0")"
tone() {
  sox -n -r 22050 -b 16 -c 1 "$1" synth 0.07 sine "$2" fade q 0.005 0.07 0.02 vol 0.5 : \
      synth 0.09 sine "$3" fade q 0.005 0.09 0.03 vol 0.5
}
tone hotkeys_on.wav 660 990
tone hotkeys_off.wav 990 495
