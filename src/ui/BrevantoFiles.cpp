// The main window's file commands: scenes and pictures.
#include "ui/Brevanto.h"

void TForm1::Load1Click() {}
void TForm1::Save1Click() {}
void TForm1::Speichern1Click() {}
