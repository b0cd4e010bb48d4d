#!/usr/bin/env bash
# Installs the build into a throw-away prefix and checks what a user gets: the
# exact tree, programs that run from there, a desktop entry that validates,
# manual pages that render cleanly and agree with the programs, and help pages
# with every anchor the dialogs open.
#   check_install.sh CMAKE BUILD_DIR
set -uo pipefail
cmake_command=${1:?cmake command}
build=${2:?build folder}

work=$(mktemp -d "${TMPDIR:-/tmp}/tandel-install.XXXXXX")
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix
passed=0
failed=0

check() { # description, then a command that must succeed
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $what"
    fi
}

if ! "$cmake_command" --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
    cat "$work/install.log"
    echo "FAIL: cmake --install"
    echo "0 passed, 1 failed"
    exit 1
fi

# --- the tree -----------------------------------------------------------------
expected_tree() {
    cat <<'EOF'
bin/tandel
bin/tandel-diff
libexec/tandel/tandel-window
share/applications/tandel.desktop
share/doc/tandel/index.html
share/icons/hicolor/scalable/apps/tandel.svg
share/man/man1/tandel-diff.1
share/man/man1/tandel.1
EOF
}
installed_tree() { (cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort); }
check "the prefix holds exactly the programs, desktop entry, icon, help and manual pages" \
    diff <(expected_tree | LC_ALL=C sort) <(installed_tree)

# --- the installed programs run without the build tree -----------------------
printf 'one\ntwo\nthree\n' >"$work/left.txt"
printf 'one\n2\nthree\n' >"$work/right.txt"
diff_output() {
    [ "$("$prefix/bin/tandel-diff" "$work/left.txt" "$work/right.txt")" = "2c2" ]
}
check "installed tandel-diff reports the change" diff_output
unattended_merge() {
    XDG_CONFIG_HOME=$work/config "$prefix/bin/tandel" -auto -f1 "$work/left.txt" \
        -f2 "$work/right.txt" -outf "$work/merged.txt" 2>"$work/auto.err" &&
        [ -s "$work/merged.txt" ]
}
check "installed tandel merges unattended" unattended_merge

# --- desktop entry and icon ----------------------------------------------------
desktop=$prefix/share/applications/tandel.desktop
validates_silently() {
    local out
    out=$(desktop-file-validate "$desktop" 2>&1) && [ -z "$out" ] || {
        echo "$out"
        return 1
    }
}
check "desktop-file-validate accepts tandel.desktop without a remark" validates_silently
check "the desktop entry opens files (Exec with %F)" grep -qx 'Exec=tandel %F' "$desktop"
icon_matches() {
    local name
    name=$(sed -n 's/^Icon=//p' "$desktop")
    [ -f "$prefix/share/icons/hicolor/scalable/apps/$name.svg" ]
}
check "the desktop entry names the installed icon" icon_matches
check "the icon is an SVG image" grep -q '<svg ' "$prefix/share/icons/hicolor/scalable/apps/tandel.svg"

# --- manual pages --------------------------------------------------------------
render() { # page -> rendered text in $work/PAGE.txt, warnings in $work/PAGE.err
    local page=$1
    LC_ALL=C.UTF-8 MANWIDTH=80 MANPAGER=cat PAGER=cat \
        man --warnings -l "$prefix/share/man/man1/$page.1" >"$work/$page.txt" 2>"$work/$page.err"
}
renders_cleanly() {
    render "$1" && [ -s "$work/$1.txt" ] && [ ! -s "$work/$1.err" ] || {
        cat "$work/$1.err"
        return 1
    }
}
has_sections() { # page, section headings...
    local page=$1
    shift
    local heading
    for heading in "$@"; do
        grep -qx "$heading" "$work/$page.txt" || {
            echo "no section $heading in $page"
            return 1
        }
    done
}
for page in tandel tandel-diff; do
    check "man renders $page.1 without warnings" renders_cleanly "$page"
done
check "tandel.1 has its sections" has_sections tandel NAME SYNOPSIS OPTIONS "EXIT STATUS" FILES
check "tandel-diff.1 has its sections" has_sections tandel-diff NAME SYNOPSIS OPTIONS "EXIT STATUS"

every_switch_documented() {
    local switch
    for switch in -f1 -f2 -d1 -d2 -outf -outd -mandc -auto -base; do
        grep -q -- "^       $switch" "$work/tandel.txt" || {
            echo "tandel.1 does not describe $switch"
            return 1
        }
    done
    grep -q 'tandel.ini' "$work/tandel.txt"
}
check "tandel.1 describes every switch and the settings file" every_switch_documented

# The letters the synopsis lists must be exactly the letters tandel-diff takes.
letters_match_program() {
    local documented accepted="" letter
    documented=$(grep -o '\[-[A-Za-z]*\]' "$work/tandel-diff.txt" | head -n 1 | tr -d '[]-')
    for letter in {a..z} {A..Z}; do
        "$prefix/bin/tandel-diff" "-$letter" "$work/left.txt" "$work/left.txt" \
            >/dev/null 2>&1 && accepted+=$letter
    done
    [ "$(fold -w1 <<<"$documented" | sort | tr -d '\n')" = "$(fold -w1 <<<"$accepted" | sort | tr -d '\n')" ] || {
        echo "documented -$documented, accepted -$accepted"
        return 1
    }
}
check "tandel-diff.1 lists exactly the option letters tandel-diff accepts" letters_match_program

long_names_accepted() {
    local name names
    names=$(grep -o -- '--[a-z][a-z]\b' "$work/tandel-diff.txt" | sort -u | grep -v -x -- '--in\|--ou')
    [ -n "$names" ] || return 1
    for name in $names; do
        "$prefix/bin/tandel-diff" "$name" "$work/left.txt" "$work/left.txt" >/dev/null 2>&1 || {
            echo "tandel-diff refuses $name"
            return 1
        }
    done
    "$prefix/bin/tandel-diff" "--ou=$work/out.txt" "$work/left.txt" "$work/right.txt" >/dev/null
    [ "$?" -eq 1 ] && [ "$(cat "$work/out.txt")" = "2c2" ]
}
check "every long option tandel-diff.1 names is accepted" long_names_accepted

# --- help pages ----------------------------------------------------------------
help=$prefix/share/doc/tandel/index.html
has_context_anchors() {
    local context
    for context in 260 264 265 267 273 276 287; do
        grep -q "id=\"context-$context\"" "$help" || {
            echo "no anchor context-$context"
            return 1
        }
    done
}
check "the help pages hold an anchor for every dialog's help context" has_context_anchors
links_resolve() {
    local target ids
    ids=$(grep -o 'id="[^"]*"' "$help" | sed 's/id="\(.*\)"/\1/' | sort)
    [ -z "$(uniq -d <<<"$ids")" ] || {
        echo "ids used twice: $(uniq -d <<<"$ids")"
        return 1
    }
    for target in $(grep -o 'href="#[^"]*"' "$help" | sed 's/href="#\(.*\)"/\1/' | sort -u); do
        grep -qx -- "$target" <<<"$ids" || {
            echo "link to missing #$target"
            return 1
        }
    done
}
check "every link inside the help pages reaches an anchor" links_resolve
self_contained() {
    ! grep -n -i -E 'https?:|src=|<link|@import|href="[^#]' "$help"
}
check "the help pages load nothing from outside" self_contained

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
