# Each colour scheme and each outline as the X server shows it: corner and fill pixels
# of a screenshot. Screenshots are kept in the folder given as second argument.
source "$(dirname "$0")/lib.sh"
SHOTS=${2:-$WORK}
mkdir -p "$SHOTS"

FILLS=("50,80,150" "150,50,50" "100,100,100" "50,120,50" "150,50,150")
FRAMES=("200,220,250" "250,200,200" "220,220,220" "200,250,200" "250,200,250")
ROOT="0,0,0"

# scheme style: the corners (tl tr bl br) kept by the outline, 1 = kept
check() {
  local scheme=$1 style=$2 kept=$3
  rm -f "$DATA/file1.dat"
  write_settings 0 1 "$scheme" "$style" 0 0 100 100
  start
  WID=$(panel_window)
  shot_until "$SHOTS/panel-scheme$scheme-style$style.png" looks_right "$scheme" "$style" "$kept"
  press "$WID" Escape
  wait_end "$PID"
}

# The screenshot shows the panel in the scheme and style: looks_right scheme style kept shot
looks_right() {
  local scheme=$1 style=$2 kept=$3 shot=$4
  [ "$(pixel "$shot" 104 120)" = "${FILLS[$scheme]}" ] || fail "scheme $scheme: fill $(pixel "$shot" 104 120)"
  [ "$(pixel "$shot" 100 250)" = "${FRAMES[$scheme]}" ] || fail "scheme $scheme: left edge"
  local i=0
  for corner in "100 100" "358 100" "100 433" "358 433"; do
    local want=$ROOT
    [ "${kept:$i:1}" = 1 ] && want=${FRAMES[$scheme]}
    # shellcheck disable=SC2086
    local got; got=$(pixel "$shot" $corner)
    [ "$got" = "$want" ] || fail "scheme $scheme style $style corner $corner: $got, want $want"
    i=$((i + 1))
  done
}

check 0 0 1111
check 1 1 0000
check 2 2 0110
check 3 3 1001
check 4 0 1111
echo PASS
