# The base vehicle's keys and waves, shared with the other base-vehicle module.
set(MODULE_SHARED_DIR modules/base)
