# The launcher's own small windows (Tk), in the words the launcher hands over:
#   wish window.tcl progress TEXT PID   what quillet is preparing, with a moving bar;
#                                       ends when the launcher kills it or PID ends
#   wish window.tcl error TEXT DETAIL   what failed, with the technical detail below;
#                                       ends when the user closes it
# The launcher runs it in a UTF-8 locale, so that Tcl reads the Chinese arguments whole.
package require Tk

lassign $argv kind text extra
wm title . [expr {$kind eq "progress" ? "quillet 诉讼费计算助手" : "quillet: 无法启动"}]
wm resizable . 0 0
catch {
  set icon [file join [file dirname [info script]] ../../share/icons/hicolor/48x48/apps/quillet.png]
  wm iconphoto . -default [image create photo -file $icon]
}
font create quillet_text -family sans-serif -size 11
ttk::frame .f -padding 16
pack .f -fill both -expand 1
ttk::label .f.text -text $text -font quillet_text -wraplength 520 -justify left
grid .f.text -sticky w

proc watch {pid} {
  if {![file exists /proc/$pid]} { exit 0 }
  after 300 [list watch $pid]
}

if {$kind eq "progress"} {
  ttk::progressbar .f.bar -mode indeterminate -length 400
  grid .f.bar -pady {14 0} -sticky we
  .f.bar start 15
  watch $extra
} else {
  text .f.detail -width 60 -height 8 -wrap word -font TkFixedFont -relief sunken -borderwidth 1
  .f.detail insert end $extra
  .f.detail configure -state disabled
  ttk::button .f.close -text "关闭" -command { exit 0 }
  grid .f.detail -pady {10 10} -sticky we
  grid .f.close -sticky e
  bind . <Escape> { exit 0 }
  bind . <Return> { exit 0 }
  focus .f.close
}
# In the middle of the screen, where the user looks after a click.
update idletasks
wm geometry . +[expr {([winfo screenwidth .] - [winfo reqwidth .]) / 2}]+[expr {([winfo screenheight .] - [winfo reqheight .]) / 3}]
