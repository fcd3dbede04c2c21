#pragma once
// The application object of the control layer: its title, its forms and the
// standard error box.
#include "controls/Application.h"
