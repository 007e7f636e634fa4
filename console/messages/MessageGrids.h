#pragma once
// What the message screens' grids show: the store's rows as texts under their headers.

class Db;
class RowsModel;
class QObject;

// Employees who may receive messages: Usuario, Nombre, Departamento (keyed by user number).
RowsModel* newRecipientsModel(QObject* parent);
void loadRecipients(Db& db, RowsModel& model);

// One employee's messages: Envio, Recepción (empty until acknowledged), Asunto, Mensaje, Envia.
RowsModel* newPersonalMessagesModel(QObject* parent);
void loadPersonalMessages(Db& db, int user, RowsModel& model);

// Locations: Ubicación, Nombre (keyed by location number).
RowsModel* newLocationsModel(QObject* parent);
void loadLocations(Db& db, RowsModel& model);
