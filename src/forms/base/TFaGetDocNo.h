#pragma once
#include <QWidget>
#include <functional>

class CachedDataSet;
class QLabel;
class QToolButton;
class TDbEdit;

// The document-number frame of the document headers: the number field bound to the header's
// number column and the search button. When the frame is left it refuses a document that is
// cancelled, posted or transferred: it shows why, empties the number and runs the number
// field's lookup again.
class TFaGetDocNo : public QWidget {
    Q_OBJECT
public:
    explicit TFaGetDocNo(QWidget* parent = nullptr);

    void bind(CachedDataSet* header, const QString& numberField);

    QLabel* Caption = nullptr;
    TDbEdit* DocNo = nullptr;
    QToolButton* BtSearch = nullptr;

    // The number field's own leave handler: the owning form's document lookup.
    std::function<void()> DocNoExit;
    // The search button's action (wired by the owning form to its document search).
    std::function<void()> BtSearchClick;

    // Runs the leave checks now (the frame calls it when the focus leaves it).
    void FrameExit();

protected:
    bool eventFilter(QObject* obj, QEvent* e) override;

private:
    bool showRefusals();
    void onFocusChanged(QWidget* old, QWidget* now);

    CachedDataSet* m_header = nullptr;
    bool m_inside = false;
};
