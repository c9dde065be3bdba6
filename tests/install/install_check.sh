#!/bin/sh
# Installs the build into a temporary prefix and checks that the program,
# its help, desktop files and thumbnailer land where they belong and work
# from there.
set -eu
build=$1
sample=$2
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
export HOME="$prefix/home" XDG_CONFIG_HOME="$prefix/home/config" XDG_DATA_HOME="$prefix/home/data"

cmake --install "$build" --prefix "$prefix" > "$prefix/install.log"

for file in bin/korvane \
    share/korvane/help/index.html share/korvane/help/keyboard.html \
    share/korvane/help/ui.dialogs.newproject.html share/korvane/help/ui.dialogs.newimage.html \
    share/korvane/help/ui.dialogs.imageprops.html share/korvane/help/ui.dialogs.layerprops.html \
    share/korvane/help/options.html share/korvane/help/commandline.html \
    share/applications/korvane.desktop share/mime/packages/korvane.xml \
    share/icons/hicolor/48x48/apps/korvane.png share/thumbnailers/korvane.thumbnailer \
    share/metainfo/org.korvane.Korvane.metainfo.xml; do
    if [ ! -s "$prefix/$file" ]; then
        echo "missing after install: $file" >&2
        exit 1
    fi
done
# Whatever plug-ins were built are installed beside the program.
for plugin in "$build"/bin/Plugins/*.kvplugin; do
    [ -e "$plugin" ] || continue
    test -s "$prefix/lib/korvane/plugins/$(basename "$plugin")"
done

"$prefix/bin/korvane" --version | grep -q '^Korvane '
# The installed program works on files from the installed folder.
"$prefix/bin/korvane" --info "$sample" | grep -q '^2 images$'
# The thumbnailer entry runs as a file manager runs it: %i %o %s filled in,
# the program found on the PATH.
entry="$prefix/share/thumbnailers/korvane.thumbnailer"
grep -q '^MimeType=application/x-korvane-project;$' "$entry"
exec_line=$(sed -n 's/^Exec=//p' "$entry" | sed -e "s|%i|$sample|" -e "s|%o|$prefix/thumb.png|" -e 's|%s|64|')
PATH="$prefix/bin:$PATH" && export PATH
eval "$exec_line"
head -c 8 "$prefix/thumb.png" | od -An -c | grep -q 'P   N   G'
if "$prefix/bin/korvane" --thumbnail "$prefix/install.log" "$prefix/none.png" 64 2> /dev/null; then
    echo "a file that is no picture got a thumbnail" >&2
    exit 1
fi
# The installed desktop entry offers the picture types of the installed plug-ins.
if [ -e "$prefix/lib/korvane/plugins/ico.kvplugin" ]; then
    grep -q '^MimeType=.*image/vnd.microsoft.icon;' "$prefix/share/applications/korvane.desktop"
fi

if command -v desktop-file-validate > /dev/null; then
    desktop-file-validate "$prefix/share/applications/korvane.desktop"
fi
if command -v appstreamcli > /dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/org.korvane.Korvane.metainfo.xml" > "$prefix/appstream.log" || {
        cat "$prefix/appstream.log" >&2
        exit 1
    }
fi
echo "install ok"
