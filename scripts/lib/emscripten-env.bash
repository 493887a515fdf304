# The settings Debian's Emscripten needs to build here, for the scripts that
# run it.
# Its JavaScript tools find their Node.js modules (acorn) only here.
export NODE_PATH=/usr/share/nodejs
