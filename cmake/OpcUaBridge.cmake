# The OPC UA bridge (tools/opcua-bridge: the controller's OPC UA client and the simulator's
# OPC UA server, node programs on node-opcua) is built in where node runs and the bridge's
# packages are installed (npm ci, which scripts/install-deps runs). The build then bundles each
# program with esbuild into one file in KAVRO_BRIDGE_DIR, with the few files node-opcua reads
# beside it: the tests run those bundles and the package installs them.
find_program(NODE_PROGRAM node)
set(KAVRO_BRIDGE_SOURCE_DIR ${PROJECT_SOURCE_DIR}/tools/opcua-bridge)
set(KAVRO_BRIDGE_DIR ${PROJECT_BINARY_DIR}/tools/opcua-bridge)
set(KAVRO_WITH_BRIDGE OFF)
if(NODE_PROGRAM AND EXISTS ${KAVRO_BRIDGE_SOURCE_DIR}/node_modules/esbuild/package.json)
  set(KAVRO_WITH_BRIDGE ON)
endif()
