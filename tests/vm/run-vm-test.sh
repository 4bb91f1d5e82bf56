#!/usr/bin/env bash
# Runs test programs inside a small VM whose kernel has uhid, so they can meet a HID
# device that the kernel itself presents. Debian's cloud kernel is downloaded once
# (unpacked, not installed) and cached; an initramfs is built from busybox, three
# kernel modules, the programs and the libraries they load; qemu boots it with TCG.
#
#   run-vm-test.sh --cache DIR --work DIR [--timeout SECONDS] [--qt-plugin FILE]...
#                  PROGRAM [ARGUMENT...]
#
# Exit status: 0 when the program passed inside the VM, 1 when it failed or the VM
# never reported a result, 77 (skipped) when qemu or the kernel is not available here.
set -euo pipefail

SKIP=77
cache="" work="" timeout_s=420
qt_plugins=()
while [ $# -gt 0 ]; do
  case "$1" in
    --cache) cache=$2; shift 2 ;;
    --work) work=$2; shift 2 ;;
    --timeout) timeout_s=$2; shift 2 ;;
    --qt-plugin) qt_plugins+=("$2"); shift 2 ;;
    --) shift; break ;;
    -*) echo "unknown option $1" >&2; exit 2 ;;
    *) break ;;
  esac
done
[ -n "$cache" ] && [ -n "$work" ] && [ $# -ge 1 ] || { echo "usage: see the head of $0" >&2; exit 2; }
program=$(realpath -m "$1"); shift
cache=$(realpath -m "$cache")
work=$(realpath -m "$work")
program_args=("$@")

skip() { echo "SKIPPED: $*"; exit "$SKIP"; }
seconds_since() { awk -v s="$1" -v e="$(date +%s.%N)" 'BEGIN { printf "%.1f", e - s }'; }
fail() { echo "FAILED: $*"; exit 1; }

[ -x "$program" ] || fail "test program $program not built"

# --- Tools -------------------------------------------------------------------------
qemu=$(command -v qemu-system-x86_64) ||
  skip "qemu-system-x86_64 not found (package qemu-system-x86; scripts/install-deps.sh installs it)"
busybox=""
for candidate in /bin/busybox /usr/bin/busybox; do
  [ -x "$candidate" ] && { busybox=$candidate; break; }
done
[ -n "$busybox" ] || skip "busybox not found (package busybox-static; scripts/install-deps.sh installs it)"
command -v cpio >/dev/null || busybox_cpio=1

# --- Kernel: Debian's cloud kernel, cached in the build folder --------------------------
kernel_dir="$cache/kernel"
modules=(hid hid-generic uhid)   # insmod order: hid-generic must bind before any device exists

fetch_kernel() {
  local deb="${TINTARO_VM_KERNEL_DEB:-}" pkg
  tmp=$(mktemp -d "$cache/fetch.XXXXXX")
  trap 'rm -rf "$tmp"' EXIT
  if [ -z "$deb" ]; then
    command -v apt-get >/dev/null && command -v apt-cache >/dev/null ||
      skip "apt-get is missing, so the kernel package cannot be fetched (set TINTARO_VM_KERNEL_DEB to a linux-image-*-cloud-amd64 .deb)"
    pkg=$(apt-cache depends linux-image-cloud-amd64 2>/dev/null |
          awk '$1 == "Depends:" && $2 ~ /^linux-image-/ { print $2; exit }')
    if [ -z "$pkg" ] && [ "$(id -u)" -eq 0 ]; then
      apt-get update -qq >/dev/null 2>&1 || true
      pkg=$(apt-cache depends linux-image-cloud-amd64 2>/dev/null |
            awk '$1 == "Depends:" && $2 ~ /^linux-image-/ { print $2; exit }')
    fi
    [ -n "$pkg" ] || skip "apt-cache knows no linux-image-cloud-amd64 (no Debian package lists here)"
    # As root, apt would hand the download to its sandbox user, who cannot write here.
    local apt_opts=()
    [ "$(id -u)" -eq 0 ] && apt_opts=(-o APT::Sandbox::User=root)
    if ! (cd "$tmp" && apt-get download -q "${apt_opts[@]}" "$pkg" >/dev/null 2>&1); then
      [ "$(id -u)" -eq 0 ] && apt-get update -qq >/dev/null 2>&1 || true
      (cd "$tmp" && apt-get download -q "${apt_opts[@]}" "$pkg" >/dev/null 2>&1) ||
        skip "cannot download $pkg from the package mirror"
    fi
    deb=$(ls "$tmp"/*.deb)
  fi
  dpkg-deb -x "$deb" "$tmp/root" || skip "cannot unpack $deb"
  local vmlinuz moddir
  vmlinuz=$(ls "$tmp"/root/boot/vmlinuz-* 2>/dev/null | head -n1)
  moddir=$(ls -d "$tmp"/root/lib/modules/* 2>/dev/null | head -n1)
  [ -n "$vmlinuz" ] && [ -n "$moddir" ] || skip "$deb holds no kernel image or modules"
  mkdir -p "$tmp/kernel"
  cp "$vmlinuz" "$tmp/kernel/vmlinuz"
  local m file
  for m in "${modules[@]}"; do
    file=$(find "$moddir" -name "$m.ko" -o -name "$m.ko.xz" -o -name "$m.ko.zst" -o -name "$m.ko.gz" | head -n1)
    [ -n "$file" ] || skip "the kernel in $deb has no module $m (built in or missing)"
    case "$file" in
      *.xz) xz -dc "$file" ;;
      *.zst) zstd -dc "$file" ;;
      *.gz) gzip -dc "$file" ;;
      *) cat "$file" ;;
    esac >"$tmp/kernel/$m.ko"
  done
  basename "$vmlinuz" >"$tmp/kernel/version"
  rm -rf "$kernel_dir"
  mv "$tmp/kernel" "$kernel_dir"
  rm -rf "$tmp"
}

mkdir -p "$cache" "$work"
if [ ! -f "$kernel_dir/version" ]; then
  exec 9>"$cache/.lock"
  flock 9
  if [ ! -f "$kernel_dir/version" ]; then fetch_kernel; fi
  flock -u 9
fi

# --- Initramfs ---------------------------------------------------------------------
image_start=$(date +%s.%N)
root="$work/root"
rm -rf "$root"
mkdir -p "$root"/{bin,dev,proc,sys,tmp,modules,tests,lib64,qt/plugins/platforms}

copy_file() {  # copies a file to the same path inside the image, links resolved
  [ -e "$root$1" ] && return 0
  mkdir -p "$root$(dirname "$1")"
  cp -L "$1" "$root$1"
}
copy_libraries() {  # everything ldd says the file loads, the loader included
  local lib
  while read -r lib; do
    copy_file "$lib"
  done < <(ldd "$1" 2>/dev/null | awk '$2 == "=>" && $3 ~ /^\// { print $3 } $1 ~ /^\// { print $1 }')
}

cp -L "$busybox" "$root/bin/busybox"
copy_libraries "$busybox"   # nothing for busybox-static
for m in "${modules[@]}"; do cp "$kernel_dir/$m.ko" "$root/modules/"; done
cp -L "$program" "$root/tests/"
copy_libraries "$program"
for plugin in "${qt_plugins[@]}"; do
  [ -f "$plugin" ] || fail "Qt plugin $plugin not found"
  cp -L "$plugin" "$root/qt/plugins/platforms/"
  copy_libraries "$plugin"
done
[ -e "$root/lib64/ld-linux-x86-64.so.2" ] || copy_file /lib64/ld-linux-x86-64.so.2
# Debug information is of no use inside; leaving it out makes the image smaller and the boot faster.
command -v strip >/dev/null && strip --strip-debug "$root/tests/$(basename "$program")"

# A window needs fonts: the metric-compatible faces for Arial and Courier New, when installed.
if [ ${#qt_plugins[@]} -gt 0 ]; then
  mkdir -p "$root/fonts" "$root/etc/fonts"
  for face in LiberationSans-Regular LiberationMono-Regular; do
    f=$(find /usr/share/fonts -name "$face.ttf" 2>/dev/null | head -n1)
    [ -n "$f" ] && cp -L "$f" "$root/fonts/"
  done
  cat >"$root/etc/fonts/fonts.conf" <<'CONF'
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <dir>/fonts</dir>
  <cachedir>/tmp/fontconfig</cachedir>
  <alias><family>Arial</family><prefer><family>Liberation Sans</family></prefer></alias>
  <alias><family>Courier New</family><prefer><family>Liberation Mono</family></prefer></alias>
</fontconfig>
CONF
fi

quoted_args=""
for a in "${program_args[@]}"; do quoted_args+=" '${a//\'/\'\\\'\'}'"; done
cat >"$root/init" <<EOF
#!/bin/busybox sh
/bin/busybox mount -t devtmpfs devtmpfs /dev
exec </dev/console >/dev/console 2>&1
/bin/busybox --install -s /bin
export PATH=/bin HOME=/tmp TMPDIR=/tmp XDG_RUNTIME_DIR=/tmp/runtime FONTCONFIG_FILE=/etc/fonts/fonts.conf
mkdir -p /tmp/runtime && chmod 700 /tmp/runtime
export LD_LIBRARY_PATH=/lib/x86_64-linux-gnu:/usr/lib/x86_64-linux-gnu
export QT_PLUGIN_PATH=/qt/plugins QT_QPA_PLATFORM=offscreen
mount -t proc proc /proc
mount -t sysfs sysfs /sys
echo "@@VM-INIT@@"
for m in ${modules[*]}; do
  insmod /modules/\$m.ko || echo "insmod \$m failed"
done
echo "@@VM-OUTPUT-BEGIN@@"
# A hang inside still ends in a result line, with the output so far.
timeout $((timeout_s * 3 / 4)) /tests/$(basename "$program")$quoted_args
rc=\$?
echo "@@VM-OUTPUT-END@@"
echo "@@VM-RESULT rc=\$rc@@"
poweroff -f
EOF
chmod +x "$root/init"

initrd="$work/initrd.cpio"
if [ -z "${busybox_cpio:-}" ]; then
  (cd "$root" && find . -mindepth 1 | LC_ALL=C sort | cpio -o -H newc --quiet >"$initrd")
else
  (cd "$root" && find . -mindepth 1 | LC_ALL=C sort | "$busybox" cpio -o -H newc >"$initrd" 2>/dev/null)
fi

# --- Boot --------------------------------------------------------------------------
log="$work/serial.log"
rm -f "$log"
echo "Booting $(cat "$kernel_dir/version") with a $(du -m "$initrd" | cut -f1) MB initramfs (built in $(seconds_since "$image_start") s)"
boot_start=$(date +%s.%N)
set +e
timeout --kill-after=10 "$timeout_s" "$qemu" -accel tcg -cpu max -m 512 -smp 1 -no-user-config \
  -nodefaults -display none -no-reboot -serial "file:$log" \
  -kernel "$kernel_dir/vmlinuz" -initrd "$initrd" \
  -append "console=ttyS0 quiet panic=-1" </dev/null >"$work/qemu.out" 2>&1
qemu_rc=$?
set -e
echo "The VM ran for $(seconds_since "$boot_start") s"

text=""
[ -f "$log" ] && text=$(tr -d '\r' <"$log")
if ! grep -q '^@@VM-INIT@@$' <<<"$text"; then
  if [ "$qemu_rc" -ne 0 ] && [ "$qemu_rc" -ne 124 ] && [ "$qemu_rc" -ne 137 ]; then
    skip "qemu cannot run here (exit $qemu_rc): $(head -c 600 "$work/qemu.out")"
  fi
  printf '%s\n' "$text" | tail -n 40
  fail "the VM never reached its init (qemu exit $qemu_rc)"
fi

# The program's own output, so that ctest and CI show it.
awk '/^@@VM-OUTPUT-BEGIN@@$/ { on = 1; next } /^@@VM-OUTPUT-END@@$/ { on = 0 } on' <<<"$text"
result=$(sed -n 's/^@@VM-RESULT rc=\([0-9]*\)@@$/\1/p' <<<"$text" | tail -n1)
if [ -z "$result" ]; then
  printf '%s\n' "$text" | tail -n 40
  [ "$qemu_rc" -eq 124 ] && fail "the VM timed out after ${timeout_s}s without a result"
  fail "the VM ended without a result (qemu exit $qemu_rc)"
fi
[ "$result" -eq 0 ] || fail "the test program failed inside the VM (exit $result)"
echo "PASSED inside the VM"
