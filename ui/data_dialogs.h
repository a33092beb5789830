#pragma once
// The read-only lists of the loaded data: vehicles, vehicle types (a tree), countries,
// regions, places, orders, clients and article types. Each reads the problem's tables once when it is made and changes
// nothing; without a problem it shows only its column headings (or an empty tree).
#include <QDialog>
#include <vector>

#include "ui/report_list.h"

class QTreeWidget;

namespace tamso {
struct ProblemData;
}

namespace tamso::ui {

// A modal list dialog with "OK" (default) and "Cancel", both of which only close it.
class DataListDialog : public QDialog {
  Q_OBJECT

 public:
  ReportList* list() const { return list_; }
  // The size that shows every column and every row, as far as a screen of `screen` allows,
  // and never smaller than the dialog's own layout.
  QSize preferredSize(QSize screen) const;

 protected:
  DataListDialog(QWidget* parent, const QString& title, QSize dialogUnits, bool sizable,
                 const std::vector<ReportList::Column>& columns);
  // Sizes the dialog to its list once the rows are in.
  void fitToList();

 private:
  ReportList* list_;
  QSize dialogUnits_;
  bool sizable_;
};

class VehiclesDialog final : public DataListDialog {
  Q_OBJECT
 public:
  VehiclesDialog(QWidget* parent, const ProblemData* problem);
};

class CountriesDialog final : public DataListDialog {
  Q_OBJECT
 public:
  CountriesDialog(QWidget* parent, const ProblemData* problem);
};

class RegionsDialog final : public DataListDialog {
  Q_OBJECT
 public:
  RegionsDialog(QWidget* parent, const ProblemData* problem);
};

class PlacesDialog final : public DataListDialog {
  Q_OBJECT
 public:
  PlacesDialog(QWidget* parent, const ProblemData* problem);
};

// Every order: its client, where and when it is picked up and delivered, its price and goods.
class OrdersDialog final : public DataListDialog {
  Q_OBJECT
 public:
  OrdersDialog(QWidget* parent, const ProblemData* problem);
};

class ClientsDialog final : public DataListDialog {
  Q_OBJECT
 public:
  ClientsDialog(QWidget* parent, const ProblemData* problem);
};

// Each article type with its "key quantity" entries on one line.
class ArticleTypesDialog final : public DataListDialog {
  Q_OBJECT
 public:
  ArticleTypesDialog(QWidget* parent, const ProblemData* problem);
};

// Vehicle types as a tree: type, then its quantity lists, then "key quantity" entries.
class VehicleTypesDialog final : public QDialog {
  Q_OBJECT
 public:
  VehicleTypesDialog(QWidget* parent, const ProblemData* problem);
  QTreeWidget* tree() const { return tree_; }

 private:
  QTreeWidget* tree_;
};

}  // namespace tamso::ui
