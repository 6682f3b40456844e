// The windows' faces are the printed cards' (paper/Fonts.h): window code keeps including them from its own
// layer.
#pragma once

#include "paper/Fonts.h"
