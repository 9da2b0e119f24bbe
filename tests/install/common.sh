# Sourced by the install tests: a work folder that goes away at the end, and
# two ways to start the program in a clean environment with its own HOME.
# The program's environment is cleared so that neither PULSEWELL_HOME nor the
# XDG folders of the test environment or the user decide where files go.

work=$(mktemp -d)
chmod 755 "$work"  # nobody must reach what lies inside
# Files a test leaves outside the work folder, removed at the end as well.
leftovers=()
trap 'rm -f "${leftovers[@]}"; chmod -R u+w "$work"; rm -rf "$work"' EXIT

clean_env=(env -i PATH=/usr/bin:/bin LC_ALL=C.UTF-8 TZ=UTC QT_QPA_PLATFORM=offscreen)

# As the caller: "${as_caller[@]}" HOME=... [VAR=...] program arguments...
as_caller=("${clean_env[@]}")

# As a user whom permission bits stop: root cannot be stopped by them, so a
# root caller runs the program as nobody.
if [ "$(id -u)" -eq 0 ]; then
    as_unprivileged=(setpriv --reuid=nobody --regid="$(id -g nobody)" --clear-groups
                     "${clean_env[@]}")
else
    as_unprivileged=("${clean_env[@]}")
fi

# A fresh HOME that the unprivileged user owns.
new_home() {  # folder
    mkdir -p "$1"
    if [ "$(id -u)" -eq 0 ]; then
        chown nobody "$1"
    fi
}

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

per_user_folder() {  # home
    echo "$1/.local/share/Tarnwick/Pulsewell"
}
