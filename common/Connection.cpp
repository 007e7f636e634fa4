#include "Connection.h"

#include "AppContext.h"
#include "Messages.h"
#include "StationConfig.h"

bool ConnectDatabase(AppContext& context)
{
    const StationConfigResult config = readStationConfig(context.programFolder);
    if (!config.ok) {
        ShowError(config.error, QStringLiteral("Error"));
        return false;
    }
    context.connectionString = config.config.connectionString;
    context.LocationNumber = config.config.locationNumber;
    QString error;
    if (!context.db.open(context.connectionString, &error)) {
        ShowError(error, QStringLiteral("Error"));
        return false;
    }
    return true;
}

void CloseDatabase(AppContext& context)
{
    context.db.close();
}
