# The Node.js tools that drive the browsers (puppeteer-core, as
# tests/release/web/package-lock.json pins it), installed once into the
# cache; browser_test_tools prints their node_modules folder.
browser_test_tools() {
  local lock=tests/release/web/package-lock.json folder
  folder=${XDG_CACHE_HOME:-$HOME/.cache}/vorlane/browser-test-$(sha256sum <"$lock" | cut -c1-16)
  if [ ! -d "$folder/node_modules/puppeteer-core" ]; then
    rm -rf "$folder"
    mkdir -p "$folder"
    cp tests/release/web/package.json "$lock" "$folder/"
    (cd "$folder" && PUPPETEER_SKIP_DOWNLOAD=1 npm ci --ignore-scripts --no-audit --no-fund --loglevel=error) >&2
  fi
  echo "$folder/node_modules"
}
