#pragma once

class QDialog;
class QHBoxLayout;
class QPushButton;
class QTableView;
class QWidget;
class SearchQuery;

// What the small list dialogs (warehouses, units, attribute codes) share: a read-only grid
// with whole-row selection over a search query, and the "เลือก" / "ไม่เลือก" buttons.
namespace PickList {

QTableView* makeGrid(QWidget* parent, SearchQuery* model);
// Column widths in pixels as the query's columns give them.
void applyWidths(QTableView* grid, SearchQuery* query);
// The current row, or the first when none is current.
int currentOrFirst(QTableView* grid);
// Creates the two buttons (OK and Cancel, never default buttons) and wires them and a
// double click on the grid to the dialog; returns the right-aligned button row.
QHBoxLayout* chooseButtons(QDialog* dialog, QTableView* grid, QPushButton*& ok, QPushButton*& cancel);

} // namespace PickList
