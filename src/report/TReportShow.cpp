// Kept apart from TReport.cpp: only showing a preview modally needs the message service.
#include "app/MessageService.h"
#include "report/ReportPreview.h"
#include "report/TReport.h"

void TReport::showPreview(QWidget* parent)
{
    ReportPreview* preview = createPreview(parent);
    preview->setDialogRunner([](QDialog* d) { return MessageService::execDialog(d); });
    MessageService::execDialog(preview);
    delete preview;
}
