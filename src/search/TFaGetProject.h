#pragma once
#include "search/TFaPicker.h"

// Project code of a document; only projects not blocked are taken, and an unknown code is
// emptied on leaving. Its button lights up when the focus enters the frame (whose only
// control taking the focus is the code field), never when the mouse passes over it.
class TFaGetProject : public TFaPicker {
    Q_OBJECT
public:
    explicit TFaGetProject(QWidget* parent = nullptr);
    void EditExit() override;

protected:
    bool runSearch(QString& code) override;
};
