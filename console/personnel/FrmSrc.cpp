#include "FrmSrc.h"

#include "KeyFilters.h"
#include "Placement.h"
#include "ui_FrmSrc.h"

#include <QSqlQuery>

namespace {

// Widths of the two columns, in twips (1/1440 inch).
constexpr int kCodeWidthTwips = 1000;
constexpr int kNameWidthTwips = 3500;
// Below this many characters a search shows only the first matches.
constexpr int kShortCriteria = 6;

int twipsToPixels(int twips, int dpi)
{
    return twips * dpi / 1440;
}

} // namespace

FrmSrc::FrmSrc(ConsoleContext& context, QWidget* parent)
    : QDialog(parent)
    , context_(context)
    , ui_(new Ui::FrmSrc)
{
    ui_->setupUi(this);
    KeyUpper(ui_->TbFnd);
    connect(ui_->TbFnd, &QLineEdit::textChanged, this, &FrmSrc::TbFnd_Change);
    connect(ui_->BtnSel, &QPushButton::clicked, this, &FrmSrc::BtnSel_Click);
    connect(ui_->GrdFnd, &QTableWidget::cellDoubleClicked, this, &FrmSrc::GrdFnd_DblClick);
    connect(ui_->BtnClose, &QPushButton::clicked, this, &FrmSrc::BtnClose_Click);
    Form_Load();
}

FrmSrc::~FrmSrc()
{
    delete ui_;
}

void FrmSrc::Form_Load()
{
    placeWhenShown(this);
    context_.skin.applySkin(this);
    InitStuff();
}

void FrmSrc::InitStuff()
{
    QTableWidget* grid = ui_->GrdFnd;
    grid->clear();
    grid->setColumnCount(2);
    grid->setRowCount(1);
    const int dpi = logicalDpiX();
    grid->setColumnWidth(0, twipsToPixels(kCodeWidthTwips, dpi));
    grid->setColumnWidth(1, twipsToPixels(kNameWidthTwips, dpi));
    grid->setHorizontalHeaderLabels({QStringLiteral("Codigo"), QStringLiteral("Nombre")});
    FirstRow = true;
}

void FrmSrc::TbFnd_Change(const QString& text)
{
    if (!text.trimmed().isEmpty())
        FindRow(text);
}

void FrmSrc::FindRow(const QString& Criteria)
{
    InitStuff();
    // The text is a pattern of "like": "%" and "_" in it match as patterns do.
    QString sql = QStringLiteral("select * from KxUsuario where Nombre like ? ");
    if (Criteria.size() < kShortCriteria)
        sql += QStringLiteral(" limit 12");
    QSqlQuery q = context_.db.query(sql, {QStringLiteral("%") + Criteria + QStringLiteral("%")});
    QTableWidget* grid = ui_->GrdFnd;
    while (q.next()) {
        int row = 0;
        if (FirstRow) {
            FirstRow = false;
        } else {
            row = grid->rowCount();
            grid->insertRow(row);
        }
        grid->setItem(row, 0, new QTableWidgetItem(q.value(QStringLiteral("Usuario")).toString()));
        grid->setItem(row, 1, new QTableWidgetItem(q.value(QStringLiteral("Nombre")).toString()));
    }
    if (!FirstRow)
        grid->setCurrentCell(0, 0);
}

void FrmSrc::BtnSel_Click()
{
    const int row = ui_->GrdFnd->currentRow();
    if (row < 0 || FirstRow)
        return;
    context_.SelectedUser = ui_->GrdFnd->item(row, 0)->text();
    accept();
}

void FrmSrc::GrdFnd_DblClick()
{
    BtnSel_Click();
}

void FrmSrc::BtnClose_Click()
{
    reject();
}

void FrmSrc::reject()
{
    context_.SelectedUser.clear();
    QDialog::reject();
}
