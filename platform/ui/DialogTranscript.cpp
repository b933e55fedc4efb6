#include "platform/ui/DialogTranscript.h"

#include "platform/ui/automation/Transcript.h"

#include <string>

void WriteDialogOpen(const DialogTemplate& tmpl)
{
    Transcript::Write("open " + std::to_string(tmpl.id) + " " + Transcript::Quote(tmpl.caption));
}

void WriteDialogEnd(const DialogTemplate& tmpl, INT_PTR result)
{
    std::string name = std::to_string(result);
    if (result == IDOK) name = "OK";
    if (result == IDCANCEL) name = "CANCEL";
    Transcript::Write("end " + std::to_string(tmpl.id) + " " + name);
}
