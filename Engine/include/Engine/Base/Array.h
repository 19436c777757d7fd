#pragma once

#include "Engine/Base/Impl/ArrayImpl.h"
