#!/usr/bin/env bash
# Checks of the installed program and of the Debian package, run by CTest
# (packaging/checks/CMakeLists.txt). Usage:
#   check_install.sh stage BUILD STAGING       install into STAGING (DESTDIR) under /usr
#   check_install.sh installed STAGING VERSION the staged programs answer and start
#   check_install.sh mime STAGING              the list file's type reaches its program
#   check_install.sh package BUILD OUT         the Debian package, built by CPack into OUT
#   check_install.sh lintian OUT               lintian finds no error in it
#   check_install.sh contents OUT STAGING      it holds every installed file
set -euo pipefail

fail() { echo "FAILED: $*" >&2; exit 1; }
the_package() {
  local packages=("$1"/notarion_*.deb)
  [ ${#packages[@]} -eq 1 ] && [ -f "${packages[0]}" ] || fail "no single package in $1"
  echo "${packages[0]}"
}

# What the install rules promise, below the prefix.
promised=(
  bin/notarion
  bin/notarion-cli
  libexec/notarion/notarion-cli-pdf
  share/notarion/Pomoc/index.htm
  share/notarion/Pomoc/menuraport.htm
  share/applications/pl.orvapp.notarion.desktop
  share/applications/pl.orvapp.notarion.editor.desktop
  share/metainfo/pl.orvapp.notarion.metainfo.xml
  share/mime/packages/pl.orvapp.notarion.xml
  share/icons/hicolor/scalable/apps/pl.orvapp.notarion.svg
  share/man/man1/notarion.1.gz
  share/man/man1/notarion-cli.1.gz
  share/doc/notarion/copyright
  share/doc/notarion/changelog.gz
)
for size in 16 22 24 32 48 64 128 256; do
  promised+=("share/icons/hicolor/${size}x${size}/apps/pl.orvapp.notarion.png")
done

case "$1" in
stage)
  build=$2 staging=$3
  rm -rf "$staging"
  DESTDIR="$staging" cmake --install "$build" --prefix /usr >/dev/null
  # The list cmake just wrote, kept with the staging folder.
  sed "s|^$staging||" "$build/install_manifest.txt" | sort >"$staging.files"
  for file in "${promised[@]}"; do
    [ -f "$staging/usr/$file" ] || fail "not installed: /usr/$file"
  done
  echo "installed $(wc -l <"$staging.files") files into $staging"
  ;;
installed)
  staging=$2 version=$3 bin=$2/usr/bin
  [ "$("$bin/notarion-cli" --version)" = "notarion-cli $version" ] || fail "notarion-cli --version"
  [ "$("$bin/notarion" --version)" = "notarion $version" ] || fail "notarion --version"
  # The installed program finds its help pages in share/notarion, not beside itself.
  page=$("$bin/notarion" --help | sed -n 's/^Strony pomocy: //p')
  [ "$page" = "$staging/usr/share/notarion/Pomoc/index.htm" ] || fail "help page: '$page'"
  [ -f "$page" ] || fail "help page missing: $page"
  # The manual pages say what the programs' own help says.
  man=$staging/usr/share/man/man1
  # (A usage line of each help, with its minus signs as troff writes them.)
  in_page() {
    zcat "$man/$1.1.gz" | grep -F -- "$(sed 's/-/\\-/g' <<<"$2")" >/dev/null || fail "$1.1 lacks: $2"
  }
  in_page notarion "$("$bin/notarion" --help | sed -n 4p)"
  in_page notarion-cli "$("$bin/notarion-cli" --help | sed -n 4p)"
  # notarion-cli loads no Qt; its pdf command runs in the installed companion.
  if ldd "$bin/notarion-cli" | grep -q libQt; then fail "notarion-cli links Qt"; fi
  "$bin/notarion-cli" pdf --help | grep -q "^Użycie: notarion-cli pdf" || fail "notarion-cli pdf"

  for words in generate preview "list save" "list show" check; do
    # shellcheck disable=SC2086 # the command's words are meant to split
    in_page notarion-cli "$("$bin/notarion-cli" $words --help | head -n 1)"
  done
  # Every desktop entry starts a staged program with a staged icon.
  for entry in "$staging"/usr/share/applications/*.desktop; do
    exec_name=$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$entry")
    icon=$(sed -n 's/^Icon=//p' "$entry")
    [ -x "$bin/$exec_name" ] || fail "$entry starts '$exec_name', which is not installed"
    [ -f "$staging/usr/share/icons/hicolor/48x48/apps/$icon.png" ] || fail "$entry: icon '$icon'"
  done
  # The windowed program starts and keeps running until it is stopped.
  home=$(mktemp -d)
  trap 'rm -rf "$home"' EXIT
  status=0
  QT_QPA_PLATFORM=offscreen XDG_DATA_HOME="$home" timeout 5 "$bin/notarion" 2>"$home/stderr" || status=$?
  cat "$home/stderr" >&2
  [ "$status" -eq 124 ] || fail "notarion ended by itself with status $status"
  [ -d "$home/OrvApp/RevNotarion" ] || fail "notarion did not begin its work"
  echo "notarion $version started from $bin and found $page"
  ;;
mime)
  staging=$2 share=$2/usr/share
  # The type the council program's entry opens is the type the installed
  # package gives "*.xmp", and the database that shared-mime-info builds
  # from it (as dpkg's trigger does on install) holds the glob and the magic.
  type=$(sed -n 's/^MimeType=\([^;]*\);$/\1/p' "$share/applications/pl.orvapp.notarion.desktop")
  [ -n "$type" ] || fail "the desktop entry names no single MimeType"
  grep -q '^Exec=notarion %f$' "$share/applications/pl.orvapp.notarion.desktop" \
    || fail "the desktop entry does not hand the file on"
  # An entry that claims a type it does not own (application/xml) becomes
  # the desktop's default for every file of that type.
  for entry in "$share"/applications/*.desktop; do
    for claimed in $(sed -n 's/^MimeType=//p' "$entry" | tr ';' ' '); do
      grep -qs "type=\"$claimed\"" "$share"/mime/packages/*.xml \
        || fail "$(basename "$entry") claims $claimed, which this package does not define"
    done
  done
  database=$(mktemp -d)
  trap 'rm -rf "$database" "$database.log"' EXIT
  cp -r "$share/mime/packages" "$database/"
  # It names a file it cannot read and goes on; what it wrote tells.
  update-mime-database "$database" >"$database.log" 2>&1 || { cat "$database.log"; fail update-mime-database; }
  grep -qx "50:$type:\\*\\.xmp" "$database/globs2" \
    || { cat "$database.log"; fail "no glob *.xmp for $type"; }
  grep -qa '<Naglowki>' "$database/magic" || fail "no magic for a list file"
  echo "*.xmp is $type, opened by notarion %f"
  ;;
package)
  build=$2 out=$3
  rm -rf "$out"
  cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out.log" 2>&1 || { cat "$out.log"; fail cpack; }
  package=$(the_package "$out")
  dpkg-deb --field "$package" Package Version Depends Recommends
  ;;
lintian)
  package=$(the_package "$2")
  # Every tag is shown; only errors fail the check.
  lintian --fail-on error --display-info "$package"
  ;;
contents)
  package=$(the_package "$2") staging=$3
  dpkg-deb --contents "$package" | awk '{print $6}' | sed 's|^\./|/|' | sort >"$2/contents"
  missing=$(comm -23 "$staging.files" "$2/contents")
  [ -z "$missing" ] || fail "installed but not in the package: $missing"
  for file in "${promised[@]}"; do
    grep -qx "/usr/$file" "$2/contents" || fail "not in the package: /usr/$file"
  done
  echo "the package holds all $(wc -l <"$staging.files") installed files"
  ;;
*)
  fail "unknown step $1"
  ;;
esac
