#include "FrmSrc.h"

#include "BoxText.h"
#include "KeyFilters.h"
#include "Placement.h"
#include "ScreenRegistry.h"
#include "ui_FrmSrc.h"
#include "UserSearch.h"

#include <QSqlQuery>

namespace {

// Widths of the two columns, in twips (1/1440 inch).
constexpr int kCodeWidthTwips = 1000;
constexpr int kNameWidthTwips = 3500;

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
    QTableWidget* grid = ui_->GrdFnd;
    for (const UserMatch& match : UserSearch::byName(context_.db, Criteria, UserScope::Everyone)) {
        int row = 0;
        if (FirstRow) {
            FirstRow = false;
        } else {
            row = grid->rowCount();
            grid->insertRow(row);
        }
        grid->setItem(row, 0, new QTableWidgetItem(QString::number(match.number)));
        grid->setItem(row, 1, new QTableWidgetItem(match.name));
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

FrmSrc* OpenUserSearch(ConsoleContext& context, QWidget* owner, QLineEdit* box,
                       std::function<void()> chosen)
{
    auto* search = new FrmSrc(context, owner);
    QObject::connect(search, &QDialog::finished, owner, [&context, box, chosen] {
        if (context.SelectedUser.isEmpty())
            return;
        putWholeText(box, context.SelectedUser);
        chosen();
    });
    showModal(search);
    return search;
}
