#include "ui/app/help.h"

#include <string>

#include "platform/messages.h"

void ShowHelpTopic(wxWindow*, int topic) {
    brindle::ShowWarning("Help topic " + std::to_string(topic) + " is not written yet.");
}
