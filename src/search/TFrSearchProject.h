#pragma once
#include "search/TFrSearch.h"

// Projects found by their description, listed by code; returns the code.
class TFrSearchProject : public TFrSearch {
    Q_OBJECT
public:
    explicit TFrSearchProject(QWidget* parent = nullptr);

public slots:
    void BtSearchClick() override;

protected:
    void FormShow() override;
};
