// The process's settings values. In a file of its own so that a program or test that brings its
// own Settings object never pulls this one in.
#include "settings.h"

Settings settings;
