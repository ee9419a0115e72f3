#!/bin/bash
# The GNU parallel recipe over ssh, with this machine as the remote host (make test-ssh; needs
# root): installs openssh-server when missing, starts an sshd of its own on 127.0.0.1:2222 with a
# host key and a login key made in a temporary folder, runs a small list in 4 shards on 2 slots of
# that host through the recipe's -S option and checks that every shard ran over ssh and that the
# merged list is the serial one. Stops the sshd it started.
#   scripts/cluster/test-ssh.sh [build dir]
set -eu
build=$(cd "${1:-build}" && pwd)
cli=$build/src/quarvel-cli
here=$(cd "$(dirname "$0")" && pwd)
[ -x /usr/sbin/sshd ] && command -v ssh >/dev/null ||
  DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends openssh-server openssh-client >/dev/null
dir=$(mktemp -d /tmp/quarvel-ssh.XXXXXX)
chmod 755 "$dir"
cleanup() {
  [ -f "$dir/sshd.pid" ] && kill "$(cat "$dir/sshd.pid")" 2>/dev/null || true
  rm -rf "$dir"
}
trap cleanup EXIT

ssh-keygen -q -t ed25519 -N '' -f "$dir/host_key"
ssh-keygen -q -t ed25519 -N '' -f "$dir/login_key"
cp "$dir/login_key.pub" "$dir/authorized_keys"
cat >"$dir/sshd_config" <<CONF
ListenAddress 127.0.0.1
Port 2222
HostKey $dir/host_key
PidFile $dir/sshd.pid
AuthorizedKeysFile $dir/authorized_keys
PermitRootLogin prohibit-password
PasswordAuthentication no
KbdInteractiveAuthentication no
UsePAM no
StrictModes no
CONF
mkdir -p /run/sshd
/usr/sbin/sshd -f "$dir/sshd_config" -E "$dir/sshd.log"
sleep 0.5
login="ssh -p 2222 -i $dir/login_key -o BatchMode=yes -o StrictHostKeyChecking=no"
login+=" -o UserKnownHostsFile=/dev/null -o LogLevel=ERROR $(id -un)@127.0.0.1"
$login true || { cat "$dir/sshd.log" >&2; exit 1; }
echo "2/$login" >"$dir/hosts.txt"

"$cli" knots | sed -n '2,61p' | sed 's/^Knot //' >"$dir/knots.txt"
echo end >>"$dir/knots.txt"
cp "$dir/knots.txt" "$dir/serial.txt"
cp "$dir/knots.txt" "$dir/list.txt"
"$cli" isotopy --file "$dir/serial.txt" --group s5 --save none >/dev/null 2>&1
QUARVEL_CLI=$cli "$here/parallel-shards.sh" -S "$dir/hosts.txt" 4 "$dir/list.txt" isotopy --group s5 >/dev/null
# The job log's second column names the host each shard ran on (":" would be this machine).
remote=$(awk -F'\t' 'NR > 1 && $2 ~ /127\.0\.0\.1/' "$dir/list.txt.joblog" | wc -l)
[ "$remote" -eq 4 ] || { echo "$remote of 4 shards ran over ssh" >&2; cat "$dir/list.txt.joblog" >&2; exit 1; }
cmp "$dir/serial.txt" "$dir/list.txt" || { echo "the merged list differs from the serial one" >&2; exit 1; }
echo "GNU parallel over ssh: 4 shards on 127.0.0.1:2222, the merged list equals the serial list"
