-- Demo data: "Distribuidora Hacienda del Bajío", a small food distributor with its head office
-- and warehouse in León (location 1) and a branch in Querétaro (location 2).
-- Load it right after schema.sql into an empty database. Dates are relative to the day it is
-- loaded, so reload it (into a fresh database) to bring the demo up to date.
--
-- What to try:
--   Console (Tasquelo): log in as user 1, password ADMIN.
--   Terminal (Velandro, location 1): these users may clock with a password, on any day:
--     1  ADMIN  schedule "DEMO 24 HORAS SIN COMIDA": entry, then exit.
--     2  1234   schedule "DEMO 24 HORAS CON COMIDA": entry, meal out, meal back (5 minutes
--               later at the soonest), exit. Has a late-arrival permission today, so the
--               terminal shows "*Con Permiso para Llegar Tarde*" and the justified icon.
--               Two personal messages pop up, one per punch, until acknowledged.
--     3  2468   multiple check: any number of entry/exit pairs a day.
--     4  1357   rotating: "ROTATIVO MATUTINO" in odd weeks, "ROTATIVO VESPERTINO" in even
--               weeks of week(date,1); exit only from 15 minutes before the shift's end.
--   The demo schedules run 00:00-23:59 every day with a meal window 14:00-23:00 and allow
--   the exit (and the meal out) up to 999 minutes early, so the exit is accepted from 07:20
--   and the meal out until 22:59; a later second punch is the day exit.
--   Users 5 to 12 clock with a fingerprint only (scripts/demo enrols their fingers),
--   user 7 is on vacation from today on, user 13 is deregistered.
--   Reports: run them for last week (Monday to Sunday), which holds the sample attendance:
--   punctual days, late arrivals, an early exit, an absence, an incomplete day, permissions
--   of every kind, and a company holiday on Friday.

SET NAMES utf8mb4;

-- Days of last week, Monday to Sunday: always 7 to 13 days back, inside the reports' default
-- range (the 15 days ending yesterday).
SET @lun = CURDATE() - INTERVAL (WEEKDAY(CURDATE()) + 7) DAY;
SET @mar = @lun + INTERVAL 1 DAY;
SET @mie = @lun + INTERVAL 2 DAY;
SET @jue = @lun + INTERVAL 3 DAY;
SET @vie = @lun + INTERVAL 4 DAY;
SET @sab = @lun + INTERVAL 5 DAY;
SET @dom = @lun + INTERVAL 6 DAY;

-- Departments and locations (names as typed in the console, no upper-case filter).
INSERT INTO Kxdepart (departamento, Nombre_departamento) VALUES
  (1, 'Administración'),
  (2, 'Almacén y Logística'),
  (3, 'Ventas'),
  (4, 'Recursos Humanos');

INSERT INTO KxSucursales (sucursal, Nombre_sucursal) VALUES
  (1, 'Matriz León'),
  (2, 'Sucursal Querétaro');

-- Schedules. Slot n: 1 Monday ... 7 Sunday; NULL = no work / no meal break that day.
INSERT INTO KxHorario SET Horario = 1, Nombre_horario = 'OFICINA L-V 09:00-18:00',
  ENTRADA1 = '09:00:00', SALIDA1 = '18:00:00', SALIDA_BREAK1 = '14:00:00', REGRESO_BREAK1 = '15:00:00',
  ENTRADA2 = '09:00:00', SALIDA2 = '18:00:00', SALIDA_BREAK2 = '14:00:00', REGRESO_BREAK2 = '15:00:00',
  ENTRADA3 = '09:00:00', SALIDA3 = '18:00:00', SALIDA_BREAK3 = '14:00:00', REGRESO_BREAK3 = '15:00:00',
  ENTRADA4 = '09:00:00', SALIDA4 = '18:00:00', SALIDA_BREAK4 = '14:00:00', REGRESO_BREAK4 = '15:00:00',
  ENTRADA5 = '09:00:00', SALIDA5 = '18:00:00', SALIDA_BREAK5 = '14:00:00', REGRESO_BREAK5 = '15:00:00',
  tolerancia_retardo = 10, checa_antes = 15;

INSERT INTO KxHorario SET Horario = 2, Nombre_horario = 'ALMACÉN L-V 07:00-15:00 SIN COMIDA',
  ENTRADA1 = '07:00:00', SALIDA1 = '15:00:00',
  ENTRADA2 = '07:00:00', SALIDA2 = '15:00:00',
  ENTRADA3 = '07:00:00', SALIDA3 = '15:00:00',
  ENTRADA4 = '07:00:00', SALIDA4 = '15:00:00',
  ENTRADA5 = '07:00:00', SALIDA5 = '15:00:00',
  tolerancia_retardo = 10, checa_antes = 15;

INSERT INTO KxHorario SET Horario = 3, Nombre_horario = 'TIENDA L-D (FIN DE SEMANA MEDIO DÍA)',
  ENTRADA1 = '10:00:00', SALIDA1 = '19:00:00', SALIDA_BREAK1 = '15:00:00', REGRESO_BREAK1 = '16:00:00',
  ENTRADA2 = '10:00:00', SALIDA2 = '19:00:00', SALIDA_BREAK2 = '15:00:00', REGRESO_BREAK2 = '16:00:00',
  ENTRADA3 = '10:00:00', SALIDA3 = '19:00:00', SALIDA_BREAK3 = '15:00:00', REGRESO_BREAK3 = '16:00:00',
  ENTRADA4 = '10:00:00', SALIDA4 = '19:00:00', SALIDA_BREAK4 = '15:00:00', REGRESO_BREAK4 = '16:00:00',
  ENTRADA5 = '10:00:00', SALIDA5 = '19:00:00', SALIDA_BREAK5 = '15:00:00', REGRESO_BREAK5 = '16:00:00',
  ENTRADA6 = '09:00:00', SALIDA6 = '14:00:00',
  ENTRADA7 = '10:00:00', SALIDA7 = '14:00:00',
  tolerancia_retardo = 10, checa_antes = 15;

INSERT INTO KxHorario SET Horario = 4, Nombre_horario = 'ROTATIVO MATUTINO',
  ENTRADA1 = '06:00:00', SALIDA1 = '14:00:00', ENTRADA2 = '06:00:00', SALIDA2 = '14:00:00',
  ENTRADA3 = '06:00:00', SALIDA3 = '14:00:00', ENTRADA4 = '06:00:00', SALIDA4 = '14:00:00',
  ENTRADA5 = '06:00:00', SALIDA5 = '14:00:00', ENTRADA6 = '06:00:00', SALIDA6 = '14:00:00',
  ENTRADA7 = '06:00:00', SALIDA7 = '14:00:00',
  tolerancia_retardo = 10, checa_antes = 15;

INSERT INTO KxHorario SET Horario = 5, Nombre_horario = 'ROTATIVO VESPERTINO',
  ENTRADA1 = '14:00:00', SALIDA1 = '22:00:00', ENTRADA2 = '14:00:00', SALIDA2 = '22:00:00',
  ENTRADA3 = '14:00:00', SALIDA3 = '22:00:00', ENTRADA4 = '14:00:00', SALIDA4 = '22:00:00',
  ENTRADA5 = '14:00:00', SALIDA5 = '22:00:00', ENTRADA6 = '14:00:00', SALIDA6 = '22:00:00',
  ENTRADA7 = '14:00:00', SALIDA7 = '22:00:00',
  tolerancia_retardo = 10, checa_antes = 15;

-- Demo schedules for trying the terminal at any hour (see the header).
INSERT INTO KxHorario SET Horario = 6, Nombre_horario = 'DEMO 24 HORAS CON COMIDA',
  ENTRADA1 = '00:00:00', SALIDA1 = '23:59:00', SALIDA_BREAK1 = '14:00:00', REGRESO_BREAK1 = '23:00:00',
  ENTRADA2 = '00:00:00', SALIDA2 = '23:59:00', SALIDA_BREAK2 = '14:00:00', REGRESO_BREAK2 = '23:00:00',
  ENTRADA3 = '00:00:00', SALIDA3 = '23:59:00', SALIDA_BREAK3 = '14:00:00', REGRESO_BREAK3 = '23:00:00',
  ENTRADA4 = '00:00:00', SALIDA4 = '23:59:00', SALIDA_BREAK4 = '14:00:00', REGRESO_BREAK4 = '23:00:00',
  ENTRADA5 = '00:00:00', SALIDA5 = '23:59:00', SALIDA_BREAK5 = '14:00:00', REGRESO_BREAK5 = '23:00:00',
  ENTRADA6 = '00:00:00', SALIDA6 = '23:59:00', SALIDA_BREAK6 = '14:00:00', REGRESO_BREAK6 = '23:00:00',
  ENTRADA7 = '00:00:00', SALIDA7 = '23:59:00', SALIDA_BREAK7 = '14:00:00', REGRESO_BREAK7 = '23:00:00',
  tolerancia_retardo = 999, checa_antes = 999;

INSERT INTO KxHorario SET Horario = 7, Nombre_horario = 'DEMO 24 HORAS SIN COMIDA',
  ENTRADA1 = '00:00:00', SALIDA1 = '23:59:00', ENTRADA2 = '00:00:00', SALIDA2 = '23:59:00',
  ENTRADA3 = '00:00:00', SALIDA3 = '23:59:00', ENTRADA4 = '00:00:00', SALIDA4 = '23:59:00',
  ENTRADA5 = '00:00:00', SALIDA5 = '23:59:00', ENTRADA6 = '00:00:00', SALIDA6 = '23:59:00',
  ENTRADA7 = '00:00:00', SALIDA7 = '23:59:00',
  tolerancia_retardo = 999, checa_antes = 999;

-- Employees. activo: 0 = active, 1 = deregistered. Names, e-mails and passwords upper case.
INSERT INTO KxUsuario (Usuario, Nombre, departamento, Correo, Password, Fecha_Ingreso,
                       administrador, Chequeo_Multiple, Puede_checar_clave, Horario_rotativo,
                       activo, Fecha_Baja) VALUES
  (1,  'MARÍA FERNANDA GONZÁLEZ IBARRA', 4, 'MFGONZALEZ@HACIENDABAJIO.EXAMPLE', 'ADMIN', '2014-03-03', 1, 0, 1, 0, 0, NULL),
  (2,  'JOSÉ LUIS PEÑA RAMÍREZ',         2, 'JLPENA@HACIENDABAJIO.EXAMPLE',     '1234',  '2019-08-12', 0, 0, 1, 0, 0, NULL),
  (3,  'ANA SOFÍA MUÑOZ CASTAÑEDA',      3, 'ASMUNOZ@HACIENDABAJIO.EXAMPLE',    '2468',  '2021-01-18', 0, 1, 1, 0, 0, NULL),
  (4,  'CARLOS ALBERTO HERNÁNDEZ DÍAZ',  2, 'CAHERNANDEZ@HACIENDABAJIO.EXAMPLE', '1357', '2017-05-02', 0, 0, 1, 1, 0, NULL),
  (5,  'GUADALUPE ESPINOSA ÁVILA',       1, 'GESPINOSA@HACIENDABAJIO.EXAMPLE',  'LUPE85', '2016-10-03', 0, 0, 0, 0, 0, NULL),
  (6,  'RICARDO NÚÑEZ OCHOA',            2, 'RNUNEZ@HACIENDABAJIO.EXAMPLE',     'RNO606', '2020-02-17', 0, 0, 0, 0, 0, NULL),
  (7,  'VERÓNICA SALAZAR TREVIÑO',       3, 'VSALAZAR@HACIENDABAJIO.EXAMPLE',   'VST707', '2018-06-04', 0, 0, 0, 0, 0, NULL),
  (8,  'JESÚS ÁNGEL MARTÍNEZ LÓPEZ',     3, 'JAMARTINEZ@HACIENDABAJIO.EXAMPLE', 'JAM808', '2022-09-05', 0, 0, 0, 0, 0, NULL),
  (9,  'PATRICIA IBÁÑEZ GUTIÉRREZ',      1, 'PIBANEZ@HACIENDABAJIO.EXAMPLE',    'PIG909', '2015-11-09', 0, 0, 0, 0, 0, NULL),
  (10, 'FRANCISCO JAVIER ORDÓÑEZ RÍOS',  2, 'FJORDONEZ@HACIENDABAJIO.EXAMPLE',  'FJO010', '2023-03-13', 0, 0, 0, 0, 0, NULL),
  (11, 'LETICIA ZÚÑIGA BARRAGÁN',        3, 'LZUNIGA@HACIENDABAJIO.EXAMPLE',    'LZB011', '2021-07-26', 0, 0, 0, 0, 0, NULL),
  (12, 'MIGUEL ÁNGEL CASTILLO FUENTES',  1, 'MACASTILLO@HACIENDABAJIO.EXAMPLE', 'MAC012', '2019-01-07', 0, 0, 0, 0, 0, NULL),
  (13, 'ROBERTO SÁNCHEZ MEJÍA',          2, 'RSANCHEZ@HACIENDABAJIO.EXAMPLE',   'RSM013', '2012-04-16', 0, 0, 0, 0, 1, CURDATE() - INTERVAL 45 DAY);

-- Schedule assignments: orden 0 fixed; the rotating user 4 has orden 1 (odd weeks) and 2 (even
-- weeks). The deregistered user 13 has none.
INSERT INTO Kxhorario_personal (usuario, horario, orden, fecha_inicio, activo) VALUES
  (1,  7, 0, NOW(), 1),
  (2,  6, 0, NOW(), 1),
  (3,  3, 0, NOW(), 1),
  (4,  4, 1, NOW(), 1),
  (4,  5, 2, NOW(), 1),
  (5,  1, 0, NOW(), 1),
  (6,  2, 0, NOW(), 1),
  (7,  3, 0, NOW(), 1),
  (8,  3, 0, NOW(), 1),
  (9,  1, 0, NOW(), 1),
  (10, 2, 0, NOW(), 1),
  (11, 3, 0, NOW(), 1),
  (12, 1, 0, NOW(), 1);

-- Attendance of last week. tipo 1: day with meal break, 0: without, 2: multiple check.
-- Friday is the company holiday (below), so nobody clocked that day.
INSERT INTO KxEvento (usuario, fecha, entrada, salida_break, regreso_break, salida,
                      horario, tipo, sucursal_entra, sucursal_sale, cerrado) VALUES
  -- 5: office, punctual except a late Tuesday (17 minutes).
  (5, @lun, TIMESTAMP(@lun, '08:56:12'), TIMESTAMP(@lun, '14:01:40'), TIMESTAMP(@lun, '14:57:03'), TIMESTAMP(@lun, '18:03:25'), 1, 1, 1, 1, 1),
  (5, @mar, TIMESTAMP(@mar, '09:17:48'), TIMESTAMP(@mar, '14:00:15'), TIMESTAMP(@mar, '15:00:02'), TIMESTAMP(@mar, '18:05:51'), 1, 1, 1, 1, 1),
  (5, @mie, TIMESTAMP(@mie, '08:59:30'), TIMESTAMP(@mie, '14:03:11'), TIMESTAMP(@mie, '14:55:47'), TIMESTAMP(@mie, '18:01:09'), 1, 1, 1, 1, 1),
  (5, @jue, TIMESTAMP(@jue, '09:05:20'), TIMESTAMP(@jue, '14:02:36'), TIMESTAMP(@jue, '14:59:58'), TIMESTAMP(@jue, '18:10:44'), 1, 1, 1, 1, 1),
  -- 9: office, left 20 minutes early on Tuesday, paid leave on Wednesday.
  (9, @lun, TIMESTAMP(@lun, '08:50:05'), TIMESTAMP(@lun, '14:00:31'), TIMESTAMP(@lun, '15:00:12'), TIMESTAMP(@lun, '18:00:40'), 1, 1, 1, 1, 1),
  (9, @mar, TIMESTAMP(@mar, '08:58:27'), TIMESTAMP(@mar, '14:05:09'), TIMESTAMP(@mar, '15:02:33'), TIMESTAMP(@mar, '17:40:18'), 1, 1, 1, 1, 1),
  (9, @jue, TIMESTAMP(@jue, '09:08:14'), TIMESTAMP(@jue, '14:00:50'), TIMESTAMP(@jue, '14:58:22'), TIMESTAMP(@jue, '18:02:07'), 1, 1, 1, 1, 1),
  -- 12: office, absent on Tuesday, no exit punch on Wednesday (open day), suspended Thursday.
  (12, @lun, TIMESTAMP(@lun, '09:00:43'), TIMESTAMP(@lun, '14:04:02'), TIMESTAMP(@lun, '15:01:19'), TIMESTAMP(@lun, '18:07:35'), 1, 1, 1, 1, 1),
  (12, @mie, TIMESTAMP(@mie, '09:03:16'), TIMESTAMP(@mie, '14:00:27'), TIMESTAMP(@mie, '15:00:54'), NULL, 1, 1, 1, NULL, 0),
  -- 6: warehouse at León, 12 minutes late on Wednesday.
  (6, @lun, TIMESTAMP(@lun, '06:55:38'), NULL, NULL, TIMESTAMP(@lun, '15:02:10'), 2, 0, 1, 1, 1),
  (6, @mar, TIMESTAMP(@mar, '06:58:04'), NULL, NULL, TIMESTAMP(@mar, '15:00:29'), 2, 0, 1, 1, 1),
  (6, @mie, TIMESTAMP(@mie, '07:12:51'), NULL, NULL, TIMESTAMP(@mie, '15:05:13'), 2, 0, 1, 1, 1),
  (6, @jue, TIMESTAMP(@jue, '06:50:22'), NULL, NULL, TIMESTAMP(@jue, '15:01:46'), 2, 0, 1, 1, 1),
  -- 10: warehouse at Querétaro, left at 13:00 on Tuesday with permission, then sick leave.
  (10, @lun, TIMESTAMP(@lun, '06:57:09'), NULL, NULL, TIMESTAMP(@lun, '15:03:33'), 2, 0, 2, 2, 1),
  (10, @mar, TIMESTAMP(@mar, '07:00:41'), NULL, NULL, TIMESTAMP(@mar, '13:00:17'), 2, 0, 2, 2, 1),
  -- 7: store at León, weekends included.
  (7, @lun, TIMESTAMP(@lun, '09:55:26'), TIMESTAMP(@lun, '15:00:08'), TIMESTAMP(@lun, '15:58:44'), TIMESTAMP(@lun, '19:04:02'), 3, 1, 1, 1, 1),
  (7, @mar, TIMESTAMP(@mar, '10:02:13'), TIMESTAMP(@mar, '15:01:37'), TIMESTAMP(@mar, '16:00:05'), TIMESTAMP(@mar, '19:00:49'), 3, 1, 1, 1, 1),
  (7, @mie, TIMESTAMP(@mie, '10:04:55'), TIMESTAMP(@mie, '15:03:20'), TIMESTAMP(@mie, '16:01:12'), TIMESTAMP(@mie, '19:02:38'), 3, 1, 1, 1, 1),
  (7, @jue, TIMESTAMP(@jue, '09:58:31'), TIMESTAMP(@jue, '15:00:59'), TIMESTAMP(@jue, '15:59:41'), TIMESTAMP(@jue, '19:01:16'), 3, 1, 1, 1, 1),
  (7, @sab, TIMESTAMP(@sab, '08:57:47'), NULL, NULL, TIMESTAMP(@sab, '14:01:03'), 3, 0, 1, 1, 1),
  (7, @dom, TIMESTAMP(@dom, '10:00:19'), NULL, NULL, TIMESTAMP(@dom, '14:00:52'), 3, 0, 1, 1, 1),
  -- 8: store at Querétaro, arrived 11:30 on Thursday with permission.
  (8, @lun, TIMESTAMP(@lun, '10:00:34'), TIMESTAMP(@lun, '15:00:11'), TIMESTAMP(@lun, '16:00:28'), TIMESTAMP(@lun, '19:00:07'), 3, 1, 2, 2, 1),
  (8, @mar, TIMESTAMP(@mar, '09:57:02'), TIMESTAMP(@mar, '15:02:45'), TIMESTAMP(@mar, '15:59:33'), TIMESTAMP(@mar, '19:03:21'), 3, 1, 2, 2, 1),
  (8, @mie, TIMESTAMP(@mie, '10:05:40'), TIMESTAMP(@mie, '15:00:36'), TIMESTAMP(@mie, '16:00:14'), TIMESTAMP(@mie, '19:00:58'), 3, 1, 2, 2, 1),
  (8, @jue, TIMESTAMP(@jue, '11:30:25'), TIMESTAMP(@jue, '15:00:03'), TIMESTAMP(@jue, '16:00:47'), TIMESTAMP(@jue, '19:01:30'), 3, 1, 2, 2, 1),
  (8, @sab, TIMESTAMP(@sab, '09:00:16'), NULL, NULL, TIMESTAMP(@sab, '14:00:39'), 3, 0, 2, 2, 1),
  (8, @dom, TIMESTAMP(@dom, '10:03:08'), NULL, NULL, TIMESTAMP(@dom, '14:00:26'), 3, 0, 2, 2, 1),
  -- 11: store at León, 25 minutes late on Tuesday, absent on Sunday.
  (11, @lun, TIMESTAMP(@lun, '09:59:44'), TIMESTAMP(@lun, '15:01:22'), TIMESTAMP(@lun, '16:00:40'), TIMESTAMP(@lun, '19:02:11'), 3, 1, 1, 1, 1),
  (11, @mar, TIMESTAMP(@mar, '10:25:37'), TIMESTAMP(@mar, '15:00:18'), TIMESTAMP(@mar, '15:58:06'), TIMESTAMP(@mar, '19:00:33'), 3, 1, 1, 1, 1),
  (11, @mie, TIMESTAMP(@mie, '09:56:12'), TIMESTAMP(@mie, '15:04:49'), TIMESTAMP(@mie, '16:02:25'), TIMESTAMP(@mie, '19:05:57'), 3, 1, 1, 1, 1),
  (11, @jue, TIMESTAMP(@jue, '10:01:05'), TIMESTAMP(@jue, '15:00:42'), TIMESTAMP(@jue, '16:00:09'), TIMESTAMP(@jue, '19:00:24'), 3, 1, 1, 1, 1),
  (11, @sab, TIMESTAMP(@sab, '08:59:28'), NULL, NULL, TIMESTAMP(@sab, '14:02:50'), 3, 0, 1, 1, 1),
  -- 3: multiple check, visits both locations (one row per entry/exit pair).
  (3, @lun, TIMESTAMP(@lun, '09:31:14'), NULL, NULL, TIMESTAMP(@lun, '12:10:37'), 3, 2, 1, 1, 1),
  (3, @lun, TIMESTAMP(@lun, '13:42:08'), NULL, NULL, TIMESTAMP(@lun, '18:20:55'), 3, 2, 2, 2, 1),
  (3, @mar, TIMESTAMP(@mar, '10:00:29'), NULL, NULL, TIMESTAMP(@mar, '18:45:03'), 3, 2, 1, 1, 1),
  (3, @sab, TIMESTAMP(@sab, '09:10:46'), NULL, NULL, TIMESTAMP(@sab, '13:50:12'), 3, 2, 2, 2, 1);

-- 4: rotating; the shift of each day follows the parity of week(day,1) like the terminal does
-- (odd: orden 1 = schedule 4, even: orden 2 = schedule 5).
INSERT INTO KxEvento (usuario, fecha, entrada, salida, horario, tipo, sucursal_entra, sucursal_sale, cerrado) VALUES
  (4, @lun, TIMESTAMP(@lun, IF(WEEK(@lun, 1) % 2 = 1, '05:56:21', '13:55:42')), TIMESTAMP(@lun, IF(WEEK(@lun, 1) % 2 = 1, '14:02:09', '22:03:17')), IF(WEEK(@lun, 1) % 2 = 1, 4, 5), 0, 1, 1, 1),
  (4, @mar, TIMESTAMP(@mar, IF(WEEK(@mar, 1) % 2 = 1, '05:58:03', '13:57:26')), TIMESTAMP(@mar, IF(WEEK(@mar, 1) % 2 = 1, '14:00:44', '22:01:38')), IF(WEEK(@mar, 1) % 2 = 1, 4, 5), 0, 1, 1, 1),
  (4, @mie, TIMESTAMP(@mie, IF(WEEK(@mie, 1) % 2 = 1, '06:14:35', '14:16:02')), TIMESTAMP(@mie, IF(WEEK(@mie, 1) % 2 = 1, '14:03:51', '22:04:29')), IF(WEEK(@mie, 1) % 2 = 1, 4, 5), 0, 1, 1, 1),
  (4, @jue, TIMESTAMP(@jue, IF(WEEK(@jue, 1) % 2 = 1, '05:59:12', '13:58:47')), TIMESTAMP(@jue, IF(WEEK(@jue, 1) % 2 = 1, '14:01:20', '22:00:55')), IF(WEEK(@jue, 1) % 2 = 1, 4, 5), 0, 1, 1, 1),
  (4, @sab, TIMESTAMP(@sab, IF(WEEK(@sab, 1) % 2 = 1, '05:57:40', '13:59:08')), TIMESTAMP(@sab, IF(WEEK(@sab, 1) % 2 = 1, '14:00:16', '22:02:33')), IF(WEEK(@sab, 1) % 2 = 1, 4, 5), 0, 1, 1, 1),
  (4, @dom, TIMESTAMP(@dom, IF(WEEK(@dom, 1) % 2 = 1, '06:00:27', '14:00:59')), TIMESTAMP(@dom, IF(WEEK(@dom, 1) % 2 = 1, '14:05:02', '22:01:44')), IF(WEEK(@dom, 1) % 2 = 1, 4, 5), 0, 1, 1, 1);

-- Non-working days: national holidays of this year and the company's anniversary, last Friday
-- (skipped in the rare year where it falls on one of the national holidays).
INSERT INTO Dias_inhabiles (Fecha, Nombre_dia, Capturo) VALUES
  (CONCAT(YEAR(CURDATE()), '-01-01'), 'AÑO NUEVO', 1),
  (CONCAT(YEAR(CURDATE()), '-05-01'), 'DÍA DEL TRABAJO', 1),
  (CONCAT(YEAR(CURDATE()), '-09-16'), 'DÍA DE LA INDEPENDENCIA', 1),
  (CONCAT(YEAR(CURDATE()), '-12-25'), 'NAVIDAD', 1);

INSERT INTO Dias_inhabiles (Fecha, Nombre_dia, Capturo)
  SELECT @vie, 'ANIVERSARIO DE LA EMPRESA', 1 FROM DUAL
  WHERE NOT EXISTS (SELECT 1 FROM Dias_inhabiles WHERE Fecha = @vie);

-- Permissions. tipo: 1 llegar tarde, 2 salir temprano, 3 no asistir sin goce, 4 no asistir con
-- goce, 5 vacaciones, 6 sanción, 7 incapacidad. No two of one employee share a day: those of
-- last week end a week ago or earlier, the current ones start today or later.
INSERT INTO permisos (usuario, Fecha_inicio, Fecha_fin, Motivo, autoriza, tipo, captura) VALUES
  (2,  CURDATE(), CURDATE(), 'TRÁMITE DE LICENCIA DE CONDUCIR', 'MARÍA FERNANDA GONZÁLEZ IBARRA', 1, 1),
  (7,  CURDATE(), CURDATE() + INTERVAL 6 DAY, 'VACACIONES DEL PERIODO ANUAL', 'MARÍA FERNANDA GONZÁLEZ IBARRA', 5, 1),
  (5,  CURDATE() + INTERVAL 14 DAY, CURDATE() + INTERVAL 18 DAY, 'VACACIONES PROGRAMADAS', 'MARÍA FERNANDA GONZÁLEZ IBARRA', 5, 1),
  (11, CURDATE() + INTERVAL 3 DAY, CURDATE() + INTERVAL 3 DAY, 'ASUNTOS PERSONALES', 'GERENCIA DE VENTAS', 3, 1),
  (9,  @mie, @mie, 'TRÁMITE DE CRÉDITO INFONAVIT', 'MARÍA FERNANDA GONZÁLEZ IBARRA', 4, 1),
  (10, @mar, @mar, 'CITA MÉDICA EN LA CLÍNICA DEL IMSS', 'JEFATURA DE ALMACÉN', 2, 1),
  (10, @mie, @vie, 'INCAPACIDAD POR ENFERMEDAD GENERAL (IMSS)', 'MARÍA FERNANDA GONZÁLEZ IBARRA', 7, 1),
  (12, @jue, @jue, 'SUSPENSIÓN POR FALTA INJUSTIFICADA DEL MARTES', 'MARÍA FERNANDA GONZÁLEZ IBARRA', 6, 1),
  (8,  @jue, @jue, 'ENTREGA DE PAPELERÍA EN LA ESCUELA DE SU HIJO', 'GERENCIA DE VENTAS', 1, 1);

-- Personal messages, due from their date (stored at midnight) until acknowledged at a terminal.
INSERT INTO KxMensajes_personales (Usuario, remite, fecha, asunto, cuerpo_mensaje, recibido, fecha_recepcion) VALUES
  (2, 1, CURDATE() - INTERVAL 1 DAY, 'ENTREGA DE UNIFORMES', 'PASA A RECURSOS HUMANOS POR TU NUEVO UNIFORME Y TU EQUIPO DE SEGURIDAD (CHALECO, CASCO Y BOTAS). TRAE TU GAFETE.', 0, NULL),
  (2, 1, CURDATE(), 'CURSO DE MONTACARGAS', 'EL PRÓXIMO SÁBADO A LAS 8:00 HAY CURSO DE MANEJO SEGURO DE MONTACARGAS EN LA SUCURSAL QUERÉTARO. LA ASISTENCIA ES OBLIGATORIA.', 0, NULL),
  (1, 1, CURDATE(), 'REVISIÓN DE NÓMINA', 'FAVOR DE REVISAR LAS INCIDENCIAS DE LA SEMANA PASADA ANTES DEL CIERRE DE NÓMINA DEL JUEVES.', 0, NULL),
  (3, 1, CURDATE() - INTERVAL 2 DAY, 'META DE VENTAS DEL MES', 'FELICIDADES, ALCANZASTE EL 110% DE TU META DE VENTAS. EL BONO SE PAGARÁ EN LA SIGUIENTE QUINCENA.', 0, NULL),
  (1, 1, CURDATE() + INTERVAL 1 DAY, 'JUNTA DE GERENCIA', 'MAÑANA A LAS 10:00 ES LA JUNTA MENSUAL DE GERENCIA EN LA SALA DE JUNTAS DE LA MATRIZ.', 0, NULL),
  (2, 1, CURDATE() - INTERVAL 7 DAY, 'BIENVENIDA AL RELOJ CHECADOR', 'A PARTIR DE HOY REGISTRA TU ENTRADA, COMIDA Y SALIDA EN EL RELOJ CHECADOR CON TU HUELLA DIGITAL.', 1, TIMESTAMP(CURDATE() - INTERVAL 7 DAY, '08:03:12'));

-- Location messages, one per location.
INSERT INTO Kxmensajes_globales (Sucursal, Cuerpo_mensaje, fecha) VALUES
  (1, 'RECUERDA: EL VIERNES SE ENTREGAN LOS RECIBOS DE NÓMINA EN RECURSOS HUMANOS. ¡BUENA SEMANA A TODOS!', NOW()),
  (2, 'EL INVENTARIO FÍSICO DE LA SUCURSAL SERÁ EL SÁBADO A LAS 7:00. FAVOR DE LLEGAR PUNTUALES.', NOW());

-- Released versions: 1 = console, 2 = terminal; neither forces older programs to close.
INSERT INTO Version_actual (Programa, Version, cierra) VALUES
  (1, 1.0, 0),
  (2, 1.0, 0);

-- Report catalogue: layouts live in the folder "Reportes" beside the console and read
-- rep_asistencia_general; Formula selects its rows (NULL = every row).
INSERT INTO Reportes (Reporte, Nombre_reporte, Descripcion, RPT, Formula) VALUES
  (1, 'Asistencia General',
   'Asistencia de cada empleado por día: entradas, salidas y comida, horas laboradas contra horas programadas, retardos, salidas prematuras, faltas, permisos y días inhábiles.',
   'AsistenciaGeneral.rpt', NULL),
  (2, 'Reporte de Faltas',
   'Días laborables en los que el empleado no registró entrada y que no están cubiertos por un permiso, vacaciones, incapacidad o día inhábil.',
   'Faltas.rpt', '{rep_asistencia_general.Falta} = 1'),
  (3, 'Reporte de Retardos',
   'Entradas posteriores a la tolerancia de retardo del horario, con los minutos de retardo de cada día.',
   'Retardos.rpt', '{rep_asistencia_general.Retardo} = 1'),
  (4, 'Reporte de Incidencias',
   'Días con alguna incidencia: faltas, retardos, salidas prematuras o asistencias incompletas (sin registro de salida).',
   'Incidencias.rpt', '{rep_asistencia_general.Falta} = 1 or {rep_asistencia_general.Retardo} = 1 or {rep_asistencia_general.Salida_prematura} = 1 or {rep_asistencia_general.Incompleto} = 1');

-- Manual corrections of last week, with their audit trail (Registro manual de eventos): user 7
-- forgot to clock on Sunday and the administrator entered the whole day on Monday; user 12's
-- Wednesday arrival was corrected from 09:33:16 to 09:03:16 (the day still has no exit).
UPDATE KxEvento SET editada_Salida = 1 WHERE usuario = 7 AND fecha = @dom;
INSERT INTO KxEvento_bitacora (evento, usuario, fecha, entrada_antes, salida_break_antes,
                               regreso_break_antes, salida_antes, cerrado_antes, entrada_despues,
                               salida_break_despues, regreso_break_despues, salida_despues,
                               cerrado_despues, administrador, momento, sucursal)
  SELECT evento, usuario, fecha, NULL, NULL, NULL, NULL, NULL, entrada, salida_break,
         regreso_break, salida, cerrado, 1, TIMESTAMP(@lun + INTERVAL 7 DAY, '09:12:40'), 1
  FROM KxEvento WHERE usuario = 7 AND fecha = @dom;
INSERT INTO KxEvento_bitacora (evento, usuario, fecha, entrada_antes, salida_break_antes,
                               regreso_break_antes, salida_antes, cerrado_antes, entrada_despues,
                               salida_break_despues, regreso_break_despues, salida_despues,
                               cerrado_despues, administrador, momento, sucursal)
  SELECT evento, usuario, fecha, TIMESTAMP(@mie, '09:33:16'), salida_break, regreso_break, salida,
         cerrado, entrada, salida_break, regreso_break, salida, cerrado, 1,
         TIMESTAMP(@mie, '16:41:05'), 1
  FROM KxEvento WHERE usuario = 12 AND fecha = @mie;
-- Further reports. The early-exits layout carries its own selection formula, so its row has none.
INSERT INTO Reportes (Reporte, Nombre_reporte, Descripcion, RPT, Formula) VALUES
  (5, 'Reporte de Salidas Prematuras',
   'Salidas registradas antes de la hora de salida del horario, con los minutos de anticipación de cada día.',
   'SalidasPrematuras.rpt', NULL),
  (6, 'Resumen de Horas',
   'Horas programadas contra horas laboradas de cada empleado en el periodo, su diferencia y una gráfica de barras para compararlas.',
   'ResumenHoras.rpt', NULL);
