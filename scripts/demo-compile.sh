#!/bin/sh
# Stand-in for the plugin compiler of the demo plugin tree (scripts/run-demo.sh). It reads
# the two generated sources as the real compiler would take their values, reports each
# value the editor marks in the compiler's own line format, and writes
# compiled/vloxTarnekMod.amxx only when there was no error. Like the plugin's own
# compile.sh it exits 0 whatever it found.
cd "$(dirname "$0")" || exit 0
echo "Stand-in plugin compiler (demo) in $(pwd)"
if LC_ALL=C awk '
function report(code, text) {
    printf "%s(%d) : error %s: %s\n", name, FNR, code, text
    errors++
}
# What the compiler makes of one value: integer arrays take digits, Float: arrays need a
# decimal point; a comma splits a value in two.
function check(value, float,    t) {
    t = value
    gsub(/^[ \t]+|[ \t]+$/, "", t)
    if (t == "")
        report("029", "invalid expression, assumed zero")
    else if (float ? t ~ /^-?[0-9]+\.[0-9]+(e-?[0-9]+)?$/ : t ~ /^-?[0-9]+$/)
        return
    else if (t ~ /,/)
        report("018", "initialization data exceeds declared size")
    else if (t ~ /^-?[0-9]+(\.[0-9]+(e-?[0-9]+)?)?$/)
        report("213", "tag mismatch")
    else
        report("017", "undefined symbol \"" t "\"")
}
FNR == 1 { name = FILENAME; sub(/.*\//, "", name); inside = 0 }
{ sub(/\r$/, "") }
inside {
    if ($0 ~ /^};/) { inside = 0; next }
    line = $0; sub(/,$/, "", line); check(line, float); next
}
/^new const p_devotion = / {
    line = $0; sub(/^new const p_devotion = /, "", line); sub(/ \/\/.*$/, "", line); check(line, 0); next
}
/= *\{/ && !/\{\};/ {
    float = ($0 ~ /Float:/); inside = 1
    line = $0; sub(/.*= *\{/, "", line); sub(/,$/, "", line); check(line, float)
}
END {
    if (errors) { printf "\n%d Error%s.\n", errors, errors == 1 ? "" : "s"; exit 1 }
    print "Header size:   1024 bytes"
    print "Done."
}' tarnek/base.h tarnek/skills.inl; then
    mkdir -p compiled && cat tarnek/base.h tarnek/skills.inl > compiled/vloxTarnekMod.amxx &&
        echo "Plugin written: compiled/vloxTarnekMod.amxx"
fi
exit 0
