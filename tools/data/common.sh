# Shared by the generators in tools/data (sourced, not run): Debian packages
# through apt, and the pinned npm packages in a folder outside the repository.
#
# Before sourcing, set `repo` (the repository root) and `npm_packages` (an
# array of name@version).  After `use_npm_packages`, `modules` is the
# node_modules folder holding them.
#
# Environment:
#   TABLES_NPM_DIR  reuse this folder for the npm packages instead of a fresh
#                   temporary one (it is then kept; must not be inside the repo)

say() { printf '== %s\n' "$*"; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

apt_updated=no
apt_install() {
  if [ "$apt_updated" = no ]; then
    say "apt-get update"
    as_root env DEBIAN_FRONTEND=noninteractive apt-get update -qq
    apt_updated=yes
  fi
  say "apt-get install $*"
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$@"
}

# Installs python3, nodejs and npm when the commands are absent, plus any
# Debian packages given as arguments.
install_tools() {
  local missing=("$@")
  command -v python3 >/dev/null 2>&1 || missing+=(python3)
  command -v node >/dev/null 2>&1 || missing+=(nodejs)
  command -v npm >/dev/null 2>&1 || missing+=(npm)
  if [ "${#missing[@]}" -gt 0 ]; then apt_install "${missing[@]}"; fi
}

outside_repo() {
  case "$1/" in
    "$repo"/*) echo "error: npm folder $1 is inside the repository" >&2; exit 1 ;;
  esac
}

have_npm_packages() {
  local pkg name version got
  for pkg in "${npm_packages[@]}"; do
    name="${pkg%@*}"
    version="${pkg##*@}"
    got="$(node -p "require(process.argv[1]).version" \
      "$npm_dir/node_modules/$name/package.json" 2>/dev/null || true)"
    [ "$got" = "$version" ] || return 1
  done
}

use_npm_packages() {
  if [ -n "${TABLES_NPM_DIR:-}" ]; then
    npm_dir="$(realpath -m -- "$TABLES_NPM_DIR")"
    outside_repo "$npm_dir"
    mkdir -p "$npm_dir"
  else
    npm_dir="$(mktemp -d "${TMPDIR:-/tmp}/make-tables-npm.XXXXXX")"
    trap 'rm -rf -- "$npm_dir"' EXIT
  fi
  outside_repo "$npm_dir"

  if have_npm_packages; then
    say "npm packages already in $npm_dir"
  else
    say "npm install ${npm_packages[*]} into $npm_dir"
    (cd "$npm_dir" && npm install --prefix "$npm_dir" --no-save --no-package-lock \
        --no-audit --no-fund --loglevel=error "${npm_packages[@]}")
    have_npm_packages || { echo "error: npm packages did not install" >&2; exit 1; }
  fi
  modules="$npm_dir/node_modules"
}
