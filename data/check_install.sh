#!/usr/bin/env bash
# check_install.sh CMAKE BUILD PREFIX ID: installs the build into PREFIX (emptied first) and checks
# that every file is where a desktop looks for it.
set -euo pipefail
cmake=$1 build=$2 prefix=$3 id=$4
rm -rf "$prefix"
"$cmake" --install "$build" --prefix "$prefix" >/dev/null
status=0
for f in bin/m1view bin/m1view-info \
    share/m1view/samples/newdos80-model1-40t.dmk \
    share/m1view/samples/demo-newdos80-40t-ds.dmk \
    share/applications/"$id".desktop \
    share/icons/hicolor/scalable/apps/"$id".svg \
    share/mime/packages/"$id".xml \
    share/metainfo/"$id".metainfo.xml \
    share/man/man1/m1view.1.gz \
    share/man/man1/m1view-info.1.gz \
    share/doc/m1view/copyright; do
  if [ ! -e "$prefix/$f" ]; then
    echo "missing: $f"
    status=1
  fi
done
for program in m1view m1view-info; do
  [ -x "$prefix/bin/$program" ] || { echo "bin/$program is not executable"; status=1; }
done
# The launcher, the icon and the metainfo must name one another.
if command -v appstreamcli >/dev/null 2>&1; then
  appstreamcli validate-tree --no-net "$prefix" || status=1
fi
exit $status
