-- Tables of the time-and-attendance database, shared by the terminal and the console.
-- The server must run with lower_case_table_names=1: statements name tables in any letter case.
-- Keys assigned by the database are AUTO_INCREMENT; no foreign keys are declared, the programs
-- keep references consistent themselves (deleting a user removes exactly his users, events,
-- fingerprints and schedule assignments).

SET NAMES utf8mb4;

CREATE TABLE KxUsuario (
  Usuario            INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  Nombre             VARCHAR(60) NOT NULL DEFAULT '',
  departamento       INT NULL,
  Correo             VARCHAR(120) NULL,
  Password           VARCHAR(45) NULL,
  Fecha_Ingreso      DATE NULL,
  administrador      SMALLINT NOT NULL DEFAULT 0,
  Chequeo_Multiple   SMALLINT NOT NULL DEFAULT 0,
  Puede_checar_clave SMALLINT NOT NULL DEFAULT 0,
  Horario_rotativo   SMALLINT NOT NULL DEFAULT 0,
  activo             SMALLINT NOT NULL DEFAULT 0,
  Fecha_Baja         DATE NULL,
  KEY ix_usuario_nombre (Nombre),
  KEY ix_usuario_departamento (departamento)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE Kxdepart (
  departamento        INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  Nombre_departamento VARCHAR(80) NOT NULL DEFAULT ''
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE KxSucursales (
  sucursal        INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  Nombre_sucursal VARCHAR(80) NOT NULL DEFAULT ''
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE KxHorario (
  Horario            INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  Nombre_horario     VARCHAR(80) NOT NULL DEFAULT '',
  ENTRADA1 TIME NULL, ENTRADA2 TIME NULL, ENTRADA3 TIME NULL, ENTRADA4 TIME NULL,
  ENTRADA5 TIME NULL, ENTRADA6 TIME NULL, ENTRADA7 TIME NULL,
  SALIDA1 TIME NULL, SALIDA2 TIME NULL, SALIDA3 TIME NULL, SALIDA4 TIME NULL,
  SALIDA5 TIME NULL, SALIDA6 TIME NULL, SALIDA7 TIME NULL,
  SALIDA_BREAK1 TIME NULL, SALIDA_BREAK2 TIME NULL, SALIDA_BREAK3 TIME NULL,
  SALIDA_BREAK4 TIME NULL, SALIDA_BREAK5 TIME NULL, SALIDA_BREAK6 TIME NULL,
  SALIDA_BREAK7 TIME NULL,
  REGRESO_BREAK1 TIME NULL, REGRESO_BREAK2 TIME NULL, REGRESO_BREAK3 TIME NULL,
  REGRESO_BREAK4 TIME NULL, REGRESO_BREAK5 TIME NULL, REGRESO_BREAK6 TIME NULL,
  REGRESO_BREAK7 TIME NULL,
  tolerancia_retardo SMALLINT NOT NULL DEFAULT 0,
  checa_antes        SMALLINT NOT NULL DEFAULT 0
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE Kxhorario_personal (
  usuario      INT NOT NULL,
  horario      INT NOT NULL,
  orden        SMALLINT NOT NULL DEFAULT 0,
  fecha_inicio DATETIME NULL,
  activo       SMALLINT NOT NULL DEFAULT 1,
  KEY ix_horario_personal_usuario (usuario, orden),
  KEY ix_horario_personal_horario (horario)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE KxEvento (
  evento          INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  usuario         INT NOT NULL,
  fecha           DATE NOT NULL,
  entrada         DATETIME NULL,
  salida_break    DATETIME NULL,
  regreso_break   DATETIME NULL,
  salida          DATETIME NULL,
  horario         INT NOT NULL DEFAULT 0,
  tipo            SMALLINT NOT NULL DEFAULT 0,
  sucursal_entra  INT NULL,
  sucursal_sale   INT NULL,
  cerrado         SMALLINT NOT NULL DEFAULT 0,
  editada_entrada SMALLINT NOT NULL DEFAULT 0,
  editada_Salida  SMALLINT NOT NULL DEFAULT 0,
  KEY ix_evento_usuario_fecha (usuario, fecha),
  KEY ix_evento_fecha (fecha),
  KEY ix_evento_sucursal (sucursal_entra)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE KxFingerP (
  Usuario INT NOT NULL,
  NumFing SMALLINT NOT NULL DEFAULT 0,
  Feature MEDIUMBLOB NULL,
  KEY ix_fingerp_usuario (Usuario, NumFing)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE KxFngHora (
  HorID   INT NOT NULL,
  Usuario INT NULL,
  KEY ix_fnghora_horid (HorID)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE Kxmensajes_globales (
  Sucursal       INT NOT NULL,
  Cuerpo_mensaje TEXT NULL,
  fecha          DATETIME NULL,
  KEY ix_mensajes_globales_sucursal (Sucursal)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE KxMensajes_personales (
  mensaje         INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  Usuario         INT NOT NULL,
  remite          INT NULL,
  fecha           DATETIME NULL,
  asunto          VARCHAR(30) NULL,
  cuerpo_mensaje  TEXT NULL,
  recibido        SMALLINT NOT NULL DEFAULT 0,
  fecha_recepcion DATETIME NULL,
  KEY ix_mensajes_personales_usuario (Usuario, recibido, fecha)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE permisos (
  Permiso      INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  usuario      INT NOT NULL,
  Fecha_inicio DATE NOT NULL,
  Fecha_fin    DATE NOT NULL,
  Motivo       VARCHAR(80) NULL,
  autoriza     VARCHAR(45) NULL,
  tipo         SMALLINT NOT NULL DEFAULT 0,
  captura      INT NULL,
  KEY ix_permisos_usuario_fechas (usuario, Fecha_inicio, Fecha_fin)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE Dias_inhabiles (
  Dia        INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  Fecha      DATE NOT NULL,
  Nombre_dia VARCHAR(45) NULL,
  Capturo    INT NULL,
  KEY ix_dias_inhabiles_fecha (Fecha)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE Kxcontrol (
  id INT NOT NULL PRIMARY KEY
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;
INSERT INTO Kxcontrol SET id = 1;

CREATE TABLE Version_actual (
  Programa SMALLINT NOT NULL PRIMARY KEY,
  Version  DECIMAL(6,2) NOT NULL,
  cierra   SMALLINT NOT NULL DEFAULT 0
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE Reportes (
  Reporte        INT NOT NULL PRIMARY KEY,
  Nombre_reporte VARCHAR(100) NOT NULL,
  Descripcion    VARCHAR(1000) NOT NULL,
  RPT            VARCHAR(255) NOT NULL,
  Formula        VARCHAR(1000) NULL
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

CREATE TABLE rep_asistencia_general (
  usuario                 INT NOT NULL,
  Fecha                   DATE NOT NULL,
  Entrada                 DATETIME NULL,
  Salida                  DATETIME NULL,
  salida_break            DATETIME NULL,
  regreso_break           DATETIME NULL,
  Horas_laboradas         TIME NULL,
  horas_laborables        TIME NULL,
  Diferencia              TIME NULL,
  Reporte_Diferencia      TIME NULL,
  reporte_laborables      TIME NULL,
  reporte_laboradas       TIME NULL,
  dia_laborable           SMALLINT NOT NULL DEFAULT 0,
  Falta                   SMALLINT NOT NULL DEFAULT 0,
  Incompleto              SMALLINT NOT NULL DEFAULT 0,
  Retardo                 SMALLINT NOT NULL DEFAULT 0,
  Retardo_Tiempo          VARCHAR(20) NULL,
  Salida_prematura        SMALLINT NOT NULL DEFAULT 0,
  Salida_prematura_Tiempo VARCHAR(20) NULL,
  Tipo                    VARCHAR(45) NULL,
  KEY ix_rep_usuario_fecha (usuario, Fecha)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;

-- Audit trail of the attendance events created or changed by hand at a console: one row per
-- save, with the day's marks and cerrado before (NULL when the save created the event) and
-- after, the administrator, the server's time and the console's location. Rows stay when the
-- event or the user is deleted.
CREATE TABLE KxEvento_bitacora (
  bitacora              INT NOT NULL AUTO_INCREMENT PRIMARY KEY,
  evento                INT NOT NULL,
  usuario               INT NOT NULL,
  fecha                 DATE NOT NULL,
  entrada_antes         DATETIME NULL,
  salida_break_antes    DATETIME NULL,
  regreso_break_antes   DATETIME NULL,
  salida_antes          DATETIME NULL,
  cerrado_antes         SMALLINT NULL,
  entrada_despues       DATETIME NULL,
  salida_break_despues  DATETIME NULL,
  regreso_break_despues DATETIME NULL,
  salida_despues        DATETIME NULL,
  cerrado_despues       SMALLINT NOT NULL,
  administrador         INT NOT NULL,
  momento               DATETIME NOT NULL,
  sucursal              INT NULL,
  KEY ix_evento_bitacora_usuario_fecha (usuario, fecha),
  KEY ix_evento_bitacora_evento (evento)
) ENGINE=InnoDB DEFAULT CHARSET=utf8mb4 COLLATE=utf8mb4_general_ci;
