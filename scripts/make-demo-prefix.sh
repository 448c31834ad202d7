#!/usr/bin/env bash
# Writes a demo Wine prefix: the registry entry that names the simulator folder, drive C:, and in
# the simulator folder the gauge package's QL folder and the four supported aircraft families with
# panel files of our own making. Some folders are spelt in another letter case than the program
# asks for, as they often are on a real disk, so that the demo also shows the case-insensitive
# lookup at work. It is enough for ql2-configurator; it is not a prefix Wine can run programs in.
#   scripts/make-demo-prefix.sh DIR
# Files the demo consists of are rewritten; anything else in DIR is left alone.
set -euo pipefail

if [ $# -ne 1 ] || [ -z "$1" ]; then
  echo "usage: $0 DIR" >&2
  exit 2
fi
prefix=$1
sim_windows='C:\\Program Files\\Microsoft Games\\Flight Simulator 9'
sim="$prefix/drive_c/Program Files/Microsoft Games/Flight Simulator 9"
aircraft="$sim/Aircraft"

# Writes standard input to a file with CR LF line ends, as the simulator's files have them.
write_crlf() {
  mkdir -p "$(dirname "$1")"
  sed 's/$/\r/' >"$1"
}

mkdir -p "$prefix/dosdevices" "$sim"
ln -sfn ../drive_c "$prefix/dosdevices/c:"
ln -sfn / "$prefix/dosdevices/z:"

# Wine writes system.reg with LF line ends and doubled backslashes in key paths and strings.
cat >"$prefix/system.reg" <<EOF
WINE REGISTRY Version 2
;; All keys relative to \\\\Machine

#arch=win32

[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0] 1735689600
#time=1db5bd5e0a4c000
"EXE Path"="$sim_windows"
"Language"="English"
"Version"="9.1"
EOF

# The gauge package's folder: its manual, the installer's marker and the Configurator's record.
mkdir -p "$sim/QL"
write_crlf "$sim/QL/readme2.htm" <<'EOF'
<!DOCTYPE html>
<html lang="en">
<head><meta charset="utf-8"><title>Quillever 2 - user manual (demo)</title></head>
<body>
<h1>Quillever 2</h1>
<p>This page stands in for the user manual of the Quillever 2 panel gauge in the demo set-up.</p>
<h2>Adding the gauge to your aircraft</h2>
<ol>
<li>Start the QL2 Configurator.</li>
<li>Each supported aircraft family has its own group. Click <b>Install</b> to add the gauge to its
panels; the Configurator keeps a copy of every panel file it changes.</li>
<li>Click <b>Remove</b> to put the saved panel files back.</li>
</ol>
<p>Open the gauge in the simulator with Shift+8.</p>
</body>
</html>
EOF
write_crlf "$sim/QL/uninst.swi" <<'EOF'
Quillever 2 setup log (demo)
EOF
write_crlf "$sim/QL/qlever2.con" <<'EOF'
[Options]
First Time=1
[Cheyenne]
Installed=0
[ATR]
Installed=0
[PMDG]
Installed=0
[PIC]
Installed=0
EOF

# Piper Cheyenne: four models, each with a main, an IFR/VFR and a VFR panel. The VFR panel has no
# radio stack window ([Fixed Window31]).
cheyenne_panel() {  # model, variant
  local model=$1 variant=$2
  cat <<EOF
// $model - panel configuration ($variant)
// Demo panel for the QL2 Configurator. Bitmaps and gauges are named only.

[Window Titles]
Window00=Main Panel
Window01=Throttle Quadrant
Window02=GPS
Window03=Overhead
Window04=Engine Instruments

[VIEWS]
VIEW_FORWARD_WINDOWS=MAIN_PANEL,GPS_PANEL,THROTTLE_PANEL

//--------------------------------------------------------
[Window00]
file=cheyenne_main.bmp
size_mm=1024
window_size_ratio=1.000
position=7
visible=1
ident=MAIN_PANEL
window_size= 1.000, 0.560
window_pos= 0.000, 0.440

gauge00=PA31T!Airspeed,  62,170,96,96
gauge01=PA31T!Attitude, 168,164,104,104
gauge02=PA31T!Altimeter, 282,170,96,96
gauge03=PA31T!HSI, 168,278,104,104
gauge04=PA31T!VSI, 282,280,96,96
gauge05=PA31T!Clock,  20,80,50,50

//--------------------------------------------------------
[Window01]
file=cheyenne_quadrant.bmp
size_mm=220,300
position=8
visible=0
ident=THROTTLE_PANEL

gauge00=PA31T!Power Levers, 0,0,220,300

//--------------------------------------------------------
[Window02]
size_mm=300,200
position=2
visible=0
ident=GPS_PANEL
gauge00=fs9gps!gps_500, 0,0,300,200

[Window03]
file=cheyenne_overhead.bmp
size_mm=600,180
visible=0
ident=OVERHEAD_PANEL
gauge00=PA31T!Light Switches,  10,10,300,60
gauge01=PA31T!Deice Switches, 320,10,270,60

[Window04]
size_mm=240,320
visible=0
ident=ENGINE_PANEL
gauge00=PA31T!Torque Left, 0,0,120,120
gauge01=PA31T!Torque Right, 120,0,120,120
gauge02=PA31T!ITT, 0,120,240,100

//--------------------------------------------------------
// Windows that stay in place in every view
[Fixed Window30]
size_mm=200,100
visible=1
gauge00=PA31T!Yoke Clip, 0,0,200,100
gauge01=PA31T!Trim Wheel, 150,0,50,100

EOF
  if [ "$variant" != "VFR panel" ]; then
    cat <<'EOF'
[Fixed Window31]
size_mm=160,240
visible=1
gauge00=PA31T!Audio Panel,   0,0,160,40
gauge01=PA31T!Com Nav 1,    0,40,160,50
gauge02=PA31T!Com Nav 2,    0,90,160,50
gauge03=PA31T!ADF,          0,140,160,50
gauge04=PA31T!Transponder,  0,190,160,50

EOF
  fi
  cat <<'EOF'
[Fixed Window32]
size_mm=120,80
visible=1
gauge00=PA31T!Annunciator, 0,0,120,80

[Default View]
X=0
Y=0
SIZE_X=8192
SIZE_Y=4100
EOF
}

# The folder names as they lie on disk; the program asks for them in its own spelling.
cheyenne_folders=(
  "Digital Aviation PA31T1 Cheyenne I"
  "Digital Aviation PA31T1 Cheyenne IA"
  "Digital Aviation PA31T Cheyenne II"
  "Digital Aviation PA31T2 Cheyenne IIXL"
)
for model in "${cheyenne_folders[@]}"; do
  ifrvfr=panel.ifrvfr
  [ "$model" = "Digital Aviation PA31T1 Cheyenne IA" ] && ifrvfr=Panel.IFRVFR
  cheyenne_panel "${model#Digital Aviation }" "main panel" | write_crlf "$aircraft/$model/panel/panel.cfg"
  cheyenne_panel "${model#Digital Aviation }" "IFR/VFR panel" | write_crlf "$aircraft/$model/$ifrvfr/panel.cfg"
  cheyenne_panel "${model#Digital Aviation }" "VFR panel" | write_crlf "$aircraft/$model/panel.vfr/panel.cfg"
done

# ATR 72-500: one panel file.
write_crlf "$aircraft/Flight 1 ATR-72-500/panel/panel.cfg" <<'EOF'
; ATR 72-500 panel configuration (demo panel for the QL2 Configurator)

[Window Titles]
Window00=Main Panel
Window01=Overhead Panel
Window02=Pedestal
Window03=FMS
Window04=Engine Display

[VIEWS]
VIEW_FORWARD_DIR=0.000, 0.000, 0.000

[Window00]
file=atr_main.bmp
size_mm=1024
position=7
visible=1
ident=MAIN_PANEL
window_size= 1.000, 0.620
window_pos= 0.000, 0.380

gauge00=ATR72!PFD Captain,  40,120,200,200
gauge01=ATR72!ND Captain,  250,120,200,200
gauge02=ATR72!EWD,         460,120,200,200
gauge03=ATR72!Standby,     670,140,90,90
gauge04=ATR72!Flight Control Unit, 40,20,720,80

[Window01]
file=atr_overhead.bmp
size_mm=800,600
visible=0
ident=OVERHEAD_PANEL
gauge00=ATR72!Electrical,  0,0,400,300
gauge01=ATR72!Fuel,      400,0,400,300
gauge02=ATR72!Anti Ice,    0,300,400,300

[Window02]
size_mm=500,400
visible=0
ident=PEDESTAL_PANEL
gauge00=ATR72!Power Levers, 0,0,250,400
gauge01=ATR72!Radios, 250,0,250,400

[Window03]
size_mm=320,420
visible=0
ident=FMS_PANEL
gauge00=ATR72!FMS, 0,0,320,420

[Window04]
size_mm=300,300
visible=0
ident=ED_PANEL
gauge00=ATR72!Engine Display, 0,0,300,300

// Always on screen
[Fixed Window38]
size_mm=120,60
visible=1
gauge00=ATR72!Master Warning, 0,0,60,60
gauge01=ATR72!Master Caution, 60,0,60,60

[Fixed Window39]
size_mm=80,80
visible=1
gauge00=ATR72!Clock, 0,0,80,80

[Default View]
X=0
Y=0
SIZE_X=8192
SIZE_Y=3900
EOF

# Boeing 737NG: the 737-700 and the 737-800, each with a 2D and a virtual-cockpit panel.
pmdg_panel() {  # model, kind
  cat <<EOF
// PMDG $1 - $2 (demo panel for the QL2 Configurator)

[Window Titles]
Window00=Captain Main Panel
Window01=Overhead
Window02=Pedestal
Window03=CDU
Window04=Upper EICAS

[Window00]
file=737ng_main.bmp
size_mm=1024
position=7
visible=1
ident=MAIN_PANEL
gauge00=PMDG737!PFD,  10,200,250,250
gauge01=PMDG737!ND,  270,200,250,250
gauge02=PMDG737!MCP,   0,0,1024,120

[Window01]
size_mm=800,900
visible=0
ident=OVERHEAD_PANEL
gauge00=PMDG737!Overhead, 0,0,800,900

[Window02]
size_mm=600,700
visible=0
ident=PEDESTAL_PANEL
gauge00=PMDG737!Pedestal, 0,0,600,700

[Window03]
size_mm=330,480
visible=0
ident=CDU_PANEL
gauge00=PMDG737!CDU, 0,0,330,480

[Window04]
size_mm=300,330
visible=0
ident=EICAS_PANEL
gauge00=PMDG737!Upper DU, 0,0,300,330

[Default View]
X=0
Y=0
SIZE_X=8192
SIZE_Y=3300
EOF
}
pmdg_panel "737-700" "2D panel" | write_crlf "$aircraft/PMDG737-700/panel/panel.cfg"
pmdg_panel "737-700" "virtual cockpit" | write_crlf "$aircraft/PMDG737-700/panel.VC/panel.cfg"
pmdg_panel "737-800" "2D panel" | write_crlf "$aircraft/PMDG737-800/panel/panel.cfg"
pmdg_panel "737-800" "virtual cockpit" | write_crlf "$aircraft/PMDG737-800/panel.vc/panel.cfg"

# Boeing 737 Classics: the 737-300, -400 and -500, their folders spelt in another case.
pic_panel() {  # model
  cat <<EOF
// PIC $1 panel configuration (demo panel for the QL2 Configurator)

[Window Titles]
Window00=Main Panel
Window01=Overhead Panel
Window02=Throttle Quadrant
Window03=Radio Panel
Window04=FMC
Window05=Autopilot
Window06=Engine Panel
Window07=Landing View
Window08=Captain Side Panel
Window09=Mini Panel

EOF
  local n
  for n in 00 01 02 03 04 05 06 07; do
    cat <<EOF
[Window$n]
size_mm=640,480
visible=$([ "$n" = 00 ] && echo 1 || echo 0)
ident=$((10000 + 10#$n))
gauge00=PIC737!Panel $n, 0,0,640,480

EOF
  done
  cat <<'EOF'
// The captain's side panel: clock, oxygen and the cockpit voice recorder
[Window08]
size_mm=48,164
visible=0
ident=10008
window_size= 0.030, 0.137
gauge00=PIC737!Clock,   0,0,48,48
gauge01=PIC737!Oxygen,  0,48,48,48

gauge02=PIC737!CVR,     0,96,48,45

[Window09]
size_mm=400,300
visible=0
ident=10009
gauge00=PIC737!Mini Panel, 0,0,400,300
EOF
}
for model in 737-300 737-400 737-500; do
  pic_panel "$model" | write_crlf "$aircraft/FeelThere PIC $model/panel/panel.cfg"
done

echo "Demo Wine prefix written to $prefix"
