#include "updatedesktop.h"

updateDesktop::~updateDesktop() = default;
