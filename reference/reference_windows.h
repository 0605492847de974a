#pragma once
// The reference and information windows: the Checks and Actions templates
// (TForm1, TForm2), the user's trigger notes (TForm3), the distance table
// (TForm4), About (TForm15) and the readme (TForm16). Each is made once,
// hidden, with (parent, AppState&, UserDialogs&), and only shown and hidden.

#include "about_window.h"
#include "distances_window.h"
#include "readme_window.h"
#include "template_windows.h"
#include "triggers_window.h"
