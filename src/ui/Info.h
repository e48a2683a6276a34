#pragma once

// The information dialog with the program's name.
void InfoDialog();
