// The main window's display commands and the displays' parameter dialogs.
#include "ui/Brevanto.h"

void TForm1::Vektorpfeile1Click() {}
void TForm1::Stromlinien1Click() {}
void TForm1::Kreise1Click() {}
void TForm1::Vektorpfeile2Click() {}
void TForm1::Energieflussfeldlinien1Click() {}
void TForm1::Energiekreise1Click() {}
