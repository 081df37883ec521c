#include "ui/app/brindle_app.h"

wxIMPLEMENT_APP(CBrindleApp);
