#include "FrmAbout.h"

#include "Placement.h"
#include "ui_FrmAbout.h"

#include <QDir>
#include <QPixmap>

FrmAbout::FrmAbout(ConsoleContext& context, QWidget* parent)
    : QDialog(parent)
    , context_(context)
    , ui_(new Ui::FrmAbout)
{
    ui_->setupUi(this);
    connect(ui_->BtnClose, &QPushButton::clicked, this, &FrmAbout::BtnClose_Click);
    Form_Load();
}

FrmAbout::~FrmAbout()
{
    delete ui_;
}

void FrmAbout::Form_Load()
{
    context_.skin.applySkin(this);
    const QPixmap logo(QDir(context_.programFolder).filePath(QStringLiteral("log.jpg")));
    if (!logo.isNull())
        ui_->ImgLogo->setPixmap(logo.scaledToHeight(120, Qt::SmoothTransformation));
    placeWhenShown(this);
}

void FrmAbout::BtnClose_Click()
{
    close();
}
