// Reaches up a layer.
#pragma once

#include "merge/merge_model.h"
