#pragma once
// What both run drivers write about the input and about a failure.

#include <string>
#include <string_view>

#include "run/workbench.h"

namespace quarvel {

// Builds the braid's presentation to learn whether it closes to a link, sets the run's group type
// from that and the 0-surgery option (and writes no export files for the typed braid), and returns the
// caption that names the space, with the braid.
std::string BraidInputCaption(Workbench& workbench);

// "Filename: " and the file's name, with the kind of group the file presents.
std::string FileCaption(const Workbench& workbench);

// "       ERROR: " + message + ten blanks on panel 1 at (x, 7); then waits for the user.
void ShowRunError(Workbench& workbench, int x);

}  // namespace quarvel
