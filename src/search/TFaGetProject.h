#pragma once
#include "search/TFaPicker.h"

// Project code of a document; only projects not blocked are taken, and an unknown code is
// emptied on leaving.
class TFaGetProject : public TFaPicker {
    Q_OBJECT
public:
    explicit TFaGetProject(QWidget* parent = nullptr);
    void EditExit() override;

protected:
    bool runSearch(QString& code) override;
    bool event(QEvent* e) override;
};
