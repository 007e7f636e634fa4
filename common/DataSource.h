#pragma once
// Registration of the console's ODBC data sources through unixODBC's installer.

#include <QByteArray>
#include <QString>

// Driver name: the DRIVER value followed by one NUL.
QByteArray dataSourceDriver(const QString& connection);

// "DSN=Velandro\0DESCRIPTION=Temporary Use
// DSN\0SERVER=..\0DATABASE=..\0UID=..\0PWD=..\0OPTION=..\0"
QByteArray registerAttributes(const QString& connection);

// "DSN=DIDeva\0"
QByteArray removeAttributes();

// Registers "Velandro" for the current user. When the driver has no setup library (the MariaDB
// driver ships none) the same entries are written to the user's data-source file, which is then
// made readable by its owner only because it holds the password. Returns the success flag.
bool RegisterDataSource(const QString& connection);

// Removes the data source "DIDeva"; "Velandro" stays registered.
bool RemoveDataSource(const QString& connection);
