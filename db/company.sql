-- Company database (one SQLite file per company, or one database on a PostgreSQL server).
-- This script is the schema of both backends: it is written for SQLite, and the program
-- derives the server's statements from it (PgSchema): every type below maps to one server type.
-- Conventions: every table has Id INTEGER PRIMARY KEY AUTOINCREMENT (an identity column on the
-- server); texts compare without regard to case (TEXT COLLATE NOCASE; citext on the server);
-- dates are DATETIME columns holding text 'yyyy-MM-dd HH:mm:ss' (timestamp on the server) and
-- the empty date is '1899-12-30 00:00:00'; Y/N flags are one-letter texts; money and
-- quantities are REAL (exact numeric on the server). Plain TEXT (case-sensitive) and BLOB
-- (bytea) are allowed too. Views and indexes must be written in SQL that both engines take.
-- Statements end with ";" at the end of a line; lines starting with "--" are comments.

-- ===================================================================== numbering, settings

CREATE TABLE DocumentNo (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Code TEXT COLLATE NOCASE NOT NULL,
  DocYear INTEGER NOT NULL,
  Description TEXT COLLATE NOCASE,
  Prefix TEXT COLLATE NOCASE DEFAULT '',
  LastNo INTEGER NOT NULL DEFAULT 0,
  DocumentLength INTEGER NOT NULL DEFAULT 10,
  AutoRun TEXT COLLATE NOCASE DEFAULT 'N',
  DocType TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX IX_DocumentNo_CodeYear ON DocumentNo (Code, DocYear);

CREATE TABLE DocNoConvert (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Code TEXT COLLATE NOCASE NOT NULL,
  DocYear INTEGER NOT NULL,
  DocumentNo INTEGER NOT NULL
);
CREATE UNIQUE INDEX IX_DocNoConvert_CodeYear ON DocNoConvert (Code, DocYear);

CREATE TABLE Config (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  RunYear INTEGER,
  LastIvRunMonth TEXT COLLATE NOCASE DEFAULT 'N',
  LastRcptRunMonth TEXT COLLATE NOCASE DEFAULT 'N',
  UnitLeft TEXT COLLATE NOCASE DEFAULT '',
  UnitRight TEXT COLLATE NOCASE DEFAULT '',
  SearchProductNo INTEGER DEFAULT 0,
  SearchProductMethod INTEGER DEFAULT 0,
  ShowLastSearch TEXT COLLATE NOCASE DEFAULT 'N',
  PicturePath TEXT COLLATE NOCASE DEFAULT '',
  AutoGenGL TEXT COLLATE NOCASE DEFAULT 'N',
  Purc_IE TEXT COLLATE NOCASE DEFAULT 'E',
  LockInputProject TEXT COLLATE NOCASE DEFAULT 'N',
  MrRefPO TEXT COLLATE NOCASE DEFAULT 'N',
  PO_Approved TEXT COLLATE NOCASE DEFAULT 'N',
  PORQ_Approved TEXT COLLATE NOCASE DEFAULT 'N',
  PORQ_ApprovedDT TEXT COLLATE NOCASE DEFAULT 'N',
  purcunlockcredit TEXT COLLATE NOCASE DEFAULT 'Y',
  CompanyName TEXT COLLATE NOCASE,
-- ledger accounts used by the GL procedures (codes of GLAccount)
  GLImportAccount TEXT COLLATE NOCASE DEFAULT '',
  GLFrCreditorAccount TEXT COLLATE NOCASE DEFAULT '',
  GLExpenseAccount TEXT COLLATE NOCASE DEFAULT '',
  GLVatAccount TEXT COLLATE NOCASE DEFAULT '',
  GLCreditorAccount TEXT COLLATE NOCASE DEFAULT '',
  GLCashAccount TEXT COLLATE NOCASE DEFAULT ''
);

CREATE TABLE accountperiod (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  AccountYear INTEGER NOT NULL,
  Start1 DATETIME, Stop1 DATETIME, Lock1 TEXT COLLATE NOCASE DEFAULT 'N',
  Start2 DATETIME, Stop2 DATETIME, Lock2 TEXT COLLATE NOCASE DEFAULT 'N',
  Start3 DATETIME, Stop3 DATETIME, Lock3 TEXT COLLATE NOCASE DEFAULT 'N',
  Start4 DATETIME, Stop4 DATETIME, Lock4 TEXT COLLATE NOCASE DEFAULT 'N',
  Start5 DATETIME, Stop5 DATETIME, Lock5 TEXT COLLATE NOCASE DEFAULT 'N',
  Start6 DATETIME, Stop6 DATETIME, Lock6 TEXT COLLATE NOCASE DEFAULT 'N',
  Start7 DATETIME, Stop7 DATETIME, Lock7 TEXT COLLATE NOCASE DEFAULT 'N',
  Start8 DATETIME, Stop8 DATETIME, Lock8 TEXT COLLATE NOCASE DEFAULT 'N',
  Start9 DATETIME, Stop9 DATETIME, Lock9 TEXT COLLATE NOCASE DEFAULT 'N',
  Start10 DATETIME, Stop10 DATETIME, Lock10 TEXT COLLATE NOCASE DEFAULT 'N',
  Start11 DATETIME, Stop11 DATETIME, Lock11 TEXT COLLATE NOCASE DEFAULT 'N',
  Start12 DATETIME, Stop12 DATETIME, Lock12 TEXT COLLATE NOCASE DEFAULT 'N'
);
CREATE UNIQUE INDEX IX_accountperiod_Year ON accountperiod (AccountYear);

-- One row, for placeholder queries ("Select 0 Id From NullTable").
CREATE TABLE NullTable (
  Id INTEGER PRIMARY KEY AUTOINCREMENT
);
INSERT INTO NullTable (Id) VALUES (0);

-- User action log written by UserAddLog.
CREATE TABLE UserLog (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  LogDate DATETIME NOT NULL,
  UserId INTEGER,
  MenuId INTEGER,
  FunctionListId INTEGER,
  DocumentId INTEGER,
  Remark TEXT COLLATE NOCASE
);
CREATE INDEX IX_UserLog_Document ON UserLog (DocumentId);

-- Print layouts of the print dialog.
CREATE TABLE SystemForm (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  FormOrderNo INTEGER DEFAULT 0,
  FormCode TEXT COLLATE NOCASE NOT NULL,
  FormDesc TEXT COLLATE NOCASE,
  FrfName TEXT COLLATE NOCASE,
  SpName TEXT COLLATE NOCASE DEFAULT '',
  DocCode TEXT COLLATE NOCASE DEFAULT '',
  DocParaName TEXT COLLATE NOCASE DEFAULT '',
  ShowPrintPreview TEXT COLLATE NOCASE DEFAULT 'Y'
);
CREATE INDEX IX_SystemForm_FormCode ON SystemForm (FormCode);

-- ===================================================================== general ledger

CREATE TABLE GLAccount (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Code TEXT COLLATE NOCASE NOT NULL,
  Name TEXT COLLATE NOCASE,
  EngName TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX IX_GLAccount_Code ON GLAccount (Code);

CREATE TABLE glhd (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  gldocno TEXT COLLATE NOCASE,
  gldate DATETIME,
  gldesc TEXT COLLATE NOCASE,
  glfromdoctype TEXT COLLATE NOCASE,
  glfromdocid INTEGER,
  glfromdocno TEXT COLLATE NOCASE,
  totaldebit REAL DEFAULT 0,
  totalcredit REAL DEFAULT 0,
  posted TEXT COLLATE NOCASE DEFAULT 'N',
  userid INTEGER,
  createdate DATETIME
);
CREATE INDEX IX_glhd_FromDoc ON glhd (glfromdocid, glfromdocno);

CREATE TABLE gldt (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  glhd INTEGER NOT NULL,
  glrecno INTEGER,
  account TEXT COLLATE NOCASE,
  description TEXT COLLATE NOCASE,
  debit REAL DEFAULT 0,
  credit REAL DEFAULT 0
);
CREATE INDEX IX_gldt_glhd ON gldt (glhd);

-- ===================================================================== short code lists, tax

CREATE TABLE Misc (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  GroupCode TEXT COLLATE NOCASE NOT NULL,
  Code TEXT COLLATE NOCASE NOT NULL,
  Description TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX IX_Misc_GroupCode ON Misc (GroupCode, Code);

CREATE TABLE Tax (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Code TEXT COLLATE NOCASE NOT NULL,
  Description TEXT COLLATE NOCASE,
  Rate REAL NOT NULL DEFAULT 0
);
CREATE UNIQUE INDEX IX_Tax_Code ON Tax (Code);

CREATE TABLE Warehouse (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Code TEXT COLLATE NOCASE NOT NULL,
  Name TEXT COLLATE NOCASE,
  Blocked TEXT COLLATE NOCASE DEFAULT 'N'
);
CREATE UNIQUE INDEX IX_Warehouse_Code ON Warehouse (Code);

CREATE TABLE Project (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Code TEXT COLLATE NOCASE NOT NULL,
  Description TEXT COLLATE NOCASE,
  Blocked TEXT COLLATE NOCASE DEFAULT 'N'
);
CREATE UNIQUE INDEX IX_Project_Code ON Project (Code);

CREATE TABLE ProjectItemHd (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Project INTEGER NOT NULL,
  Code TEXT COLLATE NOCASE NOT NULL,
  Description TEXT COLLATE NOCASE
);
CREATE INDEX IX_ProjectItemHd_Project ON ProjectItemHd (Project, Code);

CREATE TABLE ImportLotNo (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Code TEXT COLLATE NOCASE NOT NULL,
  Description TEXT COLLATE NOCASE,
  EffectiveDate DATETIME,
  Active TEXT COLLATE NOCASE DEFAULT 'Y'
);
CREATE UNIQUE INDEX IX_ImportLotNo_Code ON ImportLotNo (Code);

CREATE TABLE Employee (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Code TEXT COLLATE NOCASE NOT NULL,
  Name TEXT COLLATE NOCASE,
  SurName TEXT COLLATE NOCASE,
  Department INTEGER,
  Blocked TEXT COLLATE NOCASE DEFAULT 'N'
);
CREATE UNIQUE INDEX IX_Employee_Code ON Employee (Code);

CREATE TABLE Salesman (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Code TEXT COLLATE NOCASE NOT NULL,
  Name TEXT COLLATE NOCASE,
  SurName TEXT COLLATE NOCASE,
  Blocked TEXT COLLATE NOCASE DEFAULT 'N'
);
CREATE UNIQUE INDEX IX_Salesman_Code ON Salesman (Code);

-- ===================================================================== products

CREATE TABLE Product (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Code TEXT COLLATE NOCASE NOT NULL,
  ThaiName TEXT COLLATE NOCASE,
  EngName TEXT COLLATE NOCASE,
  PosName TEXT COLLATE NOCASE,
  ProductType TEXT COLLATE NOCASE DEFAULT 'P',
  Blocked TEXT COLLATE NOCASE DEFAULT 'N',
  MasterCode TEXT COLLATE NOCASE DEFAULT 'N',
  Negative TEXT COLLATE NOCASE DEFAULT 'N',
  UseSerial TEXT COLLATE NOCASE DEFAULT 'N',
  LotControl TEXT COLLATE NOCASE DEFAULT 'N',
  TaxCode INTEGER,
  DefaultWh INTEGER,
  PriceByVolumn TEXT COLLATE NOCASE DEFAULT 'N',
  Discount TEXT COLLATE NOCASE DEFAULT '',
  VolumnUnit TEXT COLLATE NOCASE DEFAULT '',
  PriceIE TEXT COLLATE NOCASE DEFAULT 'E',
  PrintFrac TEXT COLLATE NOCASE DEFAULT 'N',
  Size_W REAL DEFAULT 0,
  Size_L REAL DEFAULT 0,
  Size_H REAL DEFAULT 0,
  CartonsUnits TEXT COLLATE NOCASE DEFAULT '',
  Cartons REAL DEFAULT 0,
  NetWeight REAL DEFAULT 0,
  GrossWeight REAL DEFAULT 0,
  Remark TEXT COLLATE NOCASE DEFAULT '',
  Picture1 TEXT COLLATE NOCASE DEFAULT ''
);
CREATE UNIQUE INDEX IX_Product_Code ON Product (Code);
CREATE INDEX IX_Product_ThaiName ON Product (ThaiName);

-- Display names and pictures of the products.
CREATE VIEW ProductView AS
SELECT P.Id, P.Code, P.ThaiName, P.EngName, P.PosName, P.Blocked, P.MasterCode, P.LotControl,
       P.UseSerial, P.ProductType, P.TaxCode, P.DefaultWh, P.Remark, P.Picture1
FROM Product P;

CREATE TABLE ProductUnits (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Product INTEGER NOT NULL,
  UnitName TEXT COLLATE NOCASE NOT NULL,
  UnitDesc TEXT COLLATE NOCASE DEFAULT '',
  Fraction INTEGER NOT NULL DEFAULT 1,
  SmallUnitFlag TEXT COLLATE NOCASE DEFAULT 'N',
  StockUnitFlag TEXT COLLATE NOCASE DEFAULT 'N',
  SaleFlag TEXT COLLATE NOCASE DEFAULT 'N',
  PurcFlag TEXT COLLATE NOCASE DEFAULT 'N',
  BarCode TEXT COLLATE NOCASE,
  VolumnFraction REAL DEFAULT 0,
  PurcPrice REAL DEFAULT 0,
  LabourCost REAL DEFAULT 0
);
CREATE INDEX IX_ProductUnits_Product ON ProductUnits (Product, UnitName);
CREATE INDEX IX_ProductUnits_BarCode ON ProductUnits (BarCode);

CREATE TABLE ProductPrice (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Product INTEGER NOT NULL,
  ProductUnits INTEGER NOT NULL,
  PriceType INTEGER NOT NULL,
  Price REAL DEFAULT 0
);
CREATE INDEX IX_ProductPrice_Unit ON ProductPrice (ProductUnits, PriceType);
CREATE INDEX IX_ProductPrice_Product ON ProductPrice (Product);

CREATE TABLE PartSource (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Vendor INTEGER NOT NULL,
  Product INTEGER NOT NULL,
  ProductUnits INTEGER NOT NULL,
  PurchaseCode TEXT COLLATE NOCASE,
  PurchaseName TEXT COLLATE NOCASE,
  Price REAL DEFAULT 0,
  DiscountStr TEXT COLLATE NOCASE DEFAULT '',
  lastprice REAL DEFAULT 0,
  lastdoccode TEXT COLLATE NOCASE,
  lastdocno TEXT COLLATE NOCASE,
  lastdate DATETIME
);
CREATE INDEX IX_PartSource_Unit ON PartSource (ProductUnits, Vendor);
CREATE INDEX IX_PartSource_Code ON PartSource (PurchaseCode, Vendor);
CREATE INDEX IX_PartSource_Product ON PartSource (Product);

CREATE TABLE LotNo (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Code TEXT COLLATE NOCASE NOT NULL,
  Description TEXT COLLATE NOCASE,
  HasExpired TEXT COLLATE NOCASE DEFAULT 'N',
  ExpiredDate DATETIME
);
CREATE UNIQUE INDEX IX_LotNo_Code ON LotNo (Code);

CREATE TABLE SerialNo (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Product INTEGER,
  Serial TEXT COLLATE NOCASE NOT NULL,
  Onhand TEXT COLLATE NOCASE DEFAULT 'Y'
);
CREATE INDEX IX_SerialNo_Serial ON SerialNo (Serial);
CREATE INDEX IX_SerialNo_Product ON SerialNo (Product);

CREATE TABLE ProductOnHand (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Product INTEGER NOT NULL,
  ProductUnits INTEGER,
  Warehouse INTEGER NOT NULL,
  BalanceYear INTEGER NOT NULL,
  PeriodNo INTEGER DEFAULT 0,
  Quantity REAL DEFAULT 0
);
CREATE INDEX IX_ProductOnHand_Product ON ProductOnHand (Product, BalanceYear);

-- Stock of the running year per product, in small units.
CREATE VIEW productonhand01 AS
SELECT O.Product, SUM(O.Quantity) AS OnHand
FROM ProductOnHand O
WHERE O.BalanceYear = (SELECT C.RunYear FROM Config C ORDER BY C.Id LIMIT 1)
GROUP BY O.Product;

CREATE TABLE ProdAttrGroup (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Code TEXT COLLATE NOCASE NOT NULL,
  Description TEXT COLLATE NOCASE,
  ProductType TEXT COLLATE NOCASE DEFAULT 'P'
);

CREATE TABLE ProdAttrCode (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  ProdAttrGroup INTEGER NOT NULL,
  Code TEXT COLLATE NOCASE NOT NULL,
  Description TEXT COLLATE NOCASE
);
CREATE INDEX IX_ProdAttrCode_Group ON ProdAttrCode (ProdAttrGroup, Code);

-- Attribute of a product by group and code Id.
CREATE TABLE ProductAttr (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Product INTEGER NOT NULL,
  ProdAttrGroup INTEGER NOT NULL,
  ProdAttrCode INTEGER NOT NULL
);
CREATE INDEX IX_ProductAttr_Product ON ProductAttr (Product, ProdAttrGroup);

-- Attribute of a product as group code followed directly by the attribute code.
CREATE TABLE ProductAttribute (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Product INTEGER NOT NULL,
  GroupCode TEXT COLLATE NOCASE NOT NULL
);
CREATE INDEX IX_ProductAttribute_GroupCode ON ProductAttribute (GroupCode, Product);

CREATE TABLE ProductInFo (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Product INTEGER NOT NULL,
  Misc INTEGER NOT NULL,
  MemoDesc TEXT COLLATE NOCASE
);
CREATE INDEX IX_ProductInFo_Product ON ProductInFo (Product, Misc);

-- One row: the Misc ids of the product information kinds shown by the product search.
CREATE TABLE WorkId (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Material INTEGER,
  Model INTEGER
);

-- ===================================================================== vendors

CREATE TABLE VendorGroup (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Code TEXT COLLATE NOCASE NOT NULL,
  Description TEXT COLLATE NOCASE,
  TaxCode INTEGER
);
CREATE UNIQUE INDEX IX_VendorGroup_Code ON VendorGroup (Code);

CREATE TABLE Vendor (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Code TEXT COLLATE NOCASE NOT NULL,
  Name TEXT COLLATE NOCASE,
  Remark TEXT COLLATE NOCASE DEFAULT '',
  Blocked TEXT COLLATE NOCASE DEFAULT 'N',
  HeadCode TEXT COLLATE NOCASE,
  Customer INTEGER,
  TaxNumber TEXT COLLATE NOCASE,
  TaxCode INTEGER,
  VendorGroup INTEGER,
  DueDays INTEGER DEFAULT 0,
  OpenAccount TEXT COLLATE NOCASE DEFAULT 'N',
  CreditLimit REAL DEFAULT 0,
  DirectVendor TEXT COLLATE NOCASE DEFAULT 'N',
  Address1 TEXT COLLATE NOCASE,
  Address2 TEXT COLLATE NOCASE,
  Address3 TEXT COLLATE NOCASE,
  Province INTEGER,
  Zip TEXT COLLATE NOCASE,
  Telephone TEXT COLLATE NOCASE,
  Fax TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX IX_Vendor_Code ON Vendor (Code);
CREATE INDEX IX_Vendor_Name ON Vendor (Name);

CREATE TABLE FrVendor (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Code TEXT COLLATE NOCASE NOT NULL,
  Name TEXT COLLATE NOCASE,
  Remark TEXT COLLATE NOCASE DEFAULT '',
  Blocked TEXT COLLATE NOCASE DEFAULT 'N',
  VendorGroup INTEGER,
  Country INTEGER,
  Currency INTEGER,
  DueDays INTEGER DEFAULT 0,
  OpenAccount TEXT COLLATE NOCASE DEFAULT 'N',
  CreditLimit REAL DEFAULT 0,
  Address1 TEXT COLLATE NOCASE,
  Address2 TEXT COLLATE NOCASE,
  Address3 TEXT COLLATE NOCASE,
  Telephone TEXT COLLATE NOCASE,
  Fax TEXT COLLATE NOCASE,
  EMail TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX IX_FrVendor_Code ON FrVendor (Code);
CREATE INDEX IX_FrVendor_Name ON FrVendor (Name);

CREATE TABLE VendorBalance (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Vendor INTEGER NOT NULL,
  BalanceYear INTEGER NOT NULL,
  Balance REAL DEFAULT 0,
  ChqDue REAL DEFAULT 0,
  ChqRtd REAL DEFAULT 0
);
CREATE INDEX IX_VendorBalance_Vendor ON VendorBalance (Vendor, BalanceYear);

CREATE TABLE VenAttrGroup (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Code TEXT COLLATE NOCASE NOT NULL,
  Description TEXT COLLATE NOCASE
);

CREATE TABLE VenAttrCode (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  VenAttrGroup INTEGER NOT NULL,
  Code TEXT COLLATE NOCASE NOT NULL,
  Description TEXT COLLATE NOCASE
);
CREATE INDEX IX_VenAttrCode_Group ON VenAttrCode (VenAttrGroup, Code);

CREATE TABLE VendorAttribute (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  Vendor INTEGER NOT NULL,
  GroupCode TEXT COLLATE NOCASE NOT NULL
);
CREATE INDEX IX_VendorAttribute_GroupCode ON VendorAttribute (GroupCode, Vendor);

-- Deposits paid to vendors.
CREATE TABLE PrePaid (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  DelFlag TEXT COLLATE NOCASE DEFAULT 'N',
  PrNo TEXT COLLATE NOCASE NOT NULL,
  PrDate DATETIME,
  Vendor INTEGER,
  Reference TEXT COLLATE NOCASE,
  Remark TEXT COLLATE NOCASE,
  TaxCode INTEGER,
  TaxRate REAL DEFAULT 0,
  TaxTotal REAL DEFAULT 0,
  Total REAL DEFAULT 0,
  PaidAmount REAL DEFAULT 0,
  Clear TEXT COLLATE NOCASE DEFAULT 'N'
);
CREATE INDEX IX_PrePaid_PrNo ON PrePaid (PrNo);
CREATE INDEX IX_PrePaid_Vendor ON PrePaid (Vendor);

-- Payment vouchers of domestic vendor bills.
CREATE TABLE pdhd (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  delflag TEXT COLLATE NOCASE DEFAULT 'N',
  pdno TEXT COLLATE NOCASE NOT NULL,
  pddate DATETIME,
  vendor INTEGER,
  total REAL DEFAULT 0,
  remark TEXT COLLATE NOCASE
);
CREATE INDEX IX_pdhd_pdno ON pdhd (pdno);

CREATE TABLE pddt (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  pdhd INTEGER NOT NULL,
  pdrecno INTEGER,
  pddoctype TEXT COLLATE NOCASE,
  pddocid INTEGER,
  paidamount REAL DEFAULT 0
);
CREATE INDEX IX_pddt_pdhd ON pddt (pdhd);
CREATE INDEX IX_pddt_doc ON pddt (pddocid, pddoctype);

-- Foreign miscellaneous payments (import expenses paid abroad), amounts in baht.
CREATE TABLE frmiscpdhd (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  delflag TEXT COLLATE NOCASE DEFAULT 'N',
  frmiscpdno TEXT COLLATE NOCASE NOT NULL,
  frmiscpddate DATETIME,
  frvendor INTEGER,
  importlotno INTEGER,
  currency INTEGER,
  exchangerate REAL DEFAULT 1,
  total REAL DEFAULT 0,
  remark TEXT COLLATE NOCASE
);
CREATE INDEX IX_frmiscpdhd_lot ON frmiscpdhd (importlotno);

CREATE TABLE frmiscpddt (
  id INTEGER PRIMARY KEY AUTOINCREMENT,
  frmiscpdhd INTEGER NOT NULL,
  recno INTEGER,
  description TEXT COLLATE NOCASE,
  paidamount REAL DEFAULT 0,
  taxamount REAL DEFAULT 0
);
CREATE INDEX IX_frmiscpddt_hd ON frmiscpddt (frmiscpdhd);

-- ===================================================================== purchase orders

CREATE TABLE PoHd (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  DelFlag TEXT COLLATE NOCASE DEFAULT 'N',
  PoType TEXT COLLATE NOCASE,
  PoNo TEXT COLLATE NOCASE NOT NULL,
  PoDate DATETIME,
  PrNo TEXT COLLATE NOCASE,
  Vendor INTEGER,
  PrePaid TEXT COLLATE NOCASE,
  Department INTEGER,
  Project INTEGER,
  TaxCode INTEGER,
  TaxRate REAL DEFAULT 0,
  Price_IE TEXT COLLATE NOCASE,
  ShipDate DATETIME,
  CreditDays INTEGER DEFAULT 0,
  Reference TEXT COLLATE NOCASE,
  Remark TEXT COLLATE NOCASE,
  NoTaxAmt REAL DEFAULT 0,
  TaxAmt REAL DEFAULT 0,
  TaxTotal REAL DEFAULT 0,
  TaxCal REAL DEFAULT 0,
  Total REAL DEFAULT 0,
  DiscName1 TEXT COLLATE NOCASE,
  DiscRate1 REAL DEFAULT 0,
  DiscAmt1 REAL DEFAULT 0,
  DiscName2 TEXT COLLATE NOCASE,
  DiscRate2 REAL DEFAULT 0,
  DiscAmt2 REAL DEFAULT 0,
  DiscName3 TEXT COLLATE NOCASE,
  DiscRate3 REAL DEFAULT 0,
  DiscAmt3 REAL DEFAULT 0,
  Clear TEXT COLLATE NOCASE DEFAULT 'N',
  LotNo INTEGER,
  Posted TEXT COLLATE NOCASE DEFAULT 'N',
  Imported TEXT COLLATE NOCASE DEFAULT 'N',
  PurcRequestNo TEXT COLLATE NOCASE,
  PurcRequestDate DATETIME,
  PaidType TEXT COLLATE NOCASE,
  Approved TEXT COLLATE NOCASE DEFAULT 'N',
  CanUseTax TEXT COLLATE NOCASE DEFAULT 'Y',
  PorqHd INTEGER,
  Salesman INTEGER
);
-- A document number is unique within its kind (here and in every document table below):
-- the forms open documents by number, and a second row of the same number would take the
-- lines of the first.
CREATE UNIQUE INDEX IX_PoHd_PoNo ON PoHd (PoNo, PoType);
CREATE INDEX IX_PoHd_Vendor ON PoHd (Vendor);

CREATE TABLE PoDt (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  PoHd INTEGER NOT NULL,
  PoRecNo INTEGER,
  PoDate DATETIME,
  Product INTEGER NOT NULL,
  TaxCode INTEGER,
  TaxRate REAL DEFAULT 0,
  ProductUnits INTEGER NOT NULL,
  ShipDate DATETIME,
  Warehouse INTEGER,
  LotNo INTEGER,
  Quantity REAL DEFAULT 0,
  QWeightSize REAL DEFAULT 0,
  Received REAL DEFAULT 0,
  BackOrder REAL DEFAULT 0,
  Fraction INTEGER DEFAULT 1,
  Price REAL DEFAULT 0,
  Discount TEXT COLLATE NOCASE DEFAULT '',
  DiscountAmt REAL DEFAULT 0,
  ProductAmount REAL DEFAULT 0,
  Total REAL DEFAULT 0,
  Clear TEXT COLLATE NOCASE DEFAULT 'N',
  MemoLine TEXT COLLATE NOCASE,
  ProjectItemHd INTEGER,
  porqhd INTEGER,
  porqdt INTEGER
);
CREATE INDEX IX_PoDt_PoHd ON PoDt (PoHd, PoRecNo);
CREATE INDEX IX_PoDt_Product ON PoDt (Product);
CREATE INDEX IX_PoDt_porqdt ON PoDt (porqdt);

CREATE TABLE PoShip (
  Id INTEGER PRIMARY KEY AUTOINCREMENT,
  PoHd INTEGER NOT NULL,
  ShipAddr1 TEXT COLLATE NOCASE,
  ShipAddr2 TEXT COLLATE NOCASE,
  ShipAddr3 TEXT COLLATE NOCASE,
  Province INTEGER,
  ZipCode TEXT COLLATE NOCASE,
  PhoneNo TEXT COLLATE NOCASE,
  FaxNo TEXT COLLATE NOCASE
);
CREATE UNIQUE INDEX IX_PoShip_PoHd ON PoShip (PoHd);

CREATE TABLE PoRQHd (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  DelFlag TEXT COLLATE NOCASE NOT NULL DEFAULT 'N',
  PoRQNo TEXT COLLATE NOCASE NOT NULL,
  PoRQDate DATETIME NOT NULL,
  Vendor INTEGER,
  PrePaid TEXT COLLATE NOCASE,
  Department INTEGER,
  Project INTEGER,
  TaxCode INTEGER,
  TaxRate REAL,
  Price_IE TEXT COLLATE NOCASE,
  ShipDate DATETIME,
  CreditDays INTEGER,
  Reference TEXT COLLATE NOCASE,
  Remark TEXT COLLATE NOCASE,
  NoTaxAmt REAL, TaxAmt REAL, TaxTotal REAL, TaxCal REAL, Total REAL,
  DiscName1 TEXT COLLATE NOCASE, DiscName2 TEXT COLLATE NOCASE, DiscName3 TEXT COLLATE NOCASE,
  DiscRate1 REAL, DiscRate2 REAL, DiscRate3 REAL,
  DiscAmt1 REAL, DiscAmt2 REAL, DiscAmt3 REAL,
  Clear TEXT COLLATE NOCASE NOT NULL DEFAULT 'N',
  LotNo INTEGER,
  PaidType TEXT COLLATE NOCASE,
  Posted TEXT COLLATE NOCASE,
  Imported TEXT COLLATE NOCASE,
  Printed TEXT COLLATE NOCASE,
  BudGetNo TEXT COLLATE NOCASE,
  CostNo TEXT COLLATE NOCASE,
  Approved TEXT COLLATE NOCASE,
  canusetax TEXT COLLATE NOCASE,
  attnname TEXT COLLATE NOCASE,
  employee INTEGER,
  Salesman INTEGER
);
CREATE INDEX IX_PoRQHd_PoRQNo ON PoRQHd (PoRQNo);

CREATE TABLE PoRQDt (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  PoRQHd INTEGER NOT NULL,
  PoRQRecNo INTEGER,
  PoRQDate DATETIME,
  Product INTEGER NOT NULL,
  TaxCode INTEGER,
  TaxRate REAL,
  ProductUnits INTEGER NOT NULL,
  ShipDate DATETIME,
  Warehouse INTEGER,
  LotNo INTEGER,
  Quantity REAL,
  QWeightSize REAL,
  Received REAL,
  RWeightSize REAL,
  BackOrder REAL,
  BWeightSize REAL,
  Fraction INTEGER,
  Price REAL,
  Discount TEXT COLLATE NOCASE,
  DiscountAmt REAL,
  ProductAmount REAL,
  Total REAL,
  Clear TEXT COLLATE NOCASE,
  MemoLine TEXT COLLATE NOCASE,
  ProjectItemHd INTEGER,
  ClearRemark TEXT COLLATE NOCASE,
  Approved TEXT COLLATE NOCASE
);
CREATE INDEX IX_PoRQDt_PoRQHd ON PoRQDt (PoRQHd);

CREATE TABLE FrPoHd (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  DelFlag TEXT COLLATE NOCASE DEFAULT 'N',
  PoType TEXT COLLATE NOCASE,
  PoNo TEXT COLLATE NOCASE NOT NULL,
  PoDate DATETIME,
  PrNo TEXT COLLATE NOCASE,
  CanUseTax TEXT COLLATE NOCASE DEFAULT 'Y',
  FrVendor INTEGER,
  PrePaid TEXT COLLATE NOCASE,
  Department INTEGER,
  Project INTEGER,
  TaxCode INTEGER,
  TaxRate REAL DEFAULT 0,
  Price_IE TEXT COLLATE NOCASE,
  ShipDate DATETIME,
  CreditDays INTEGER DEFAULT 0,
  Reference TEXT COLLATE NOCASE,
  Remark TEXT COLLATE NOCASE,
  NoTaxAmt REAL DEFAULT 0,
  TaxAmt REAL DEFAULT 0,
  TaxTotal REAL DEFAULT 0,
  TaxCal REAL DEFAULT 0,
  Total REAL DEFAULT 0,
  DiscName1 TEXT COLLATE NOCASE,
  DiscRate1 REAL DEFAULT 0,
  DiscAmt1 REAL DEFAULT 0,
  DiscName2 TEXT COLLATE NOCASE,
  DiscRate2 REAL DEFAULT 0,
  DiscAmt2 REAL DEFAULT 0,
  DiscName3 TEXT COLLATE NOCASE,
  DiscRate3 REAL DEFAULT 0,
  DiscAmt3 REAL DEFAULT 0,
  Clear TEXT COLLATE NOCASE DEFAULT 'N',
  LotNo INTEGER,
  Posted TEXT COLLATE NOCASE DEFAULT 'N',
  Imported TEXT COLLATE NOCASE DEFAULT 'N',
  PurcRequestNo TEXT COLLATE NOCASE,
  PurcRequestDate DATETIME,
  PaidType TEXT COLLATE NOCASE,
  Currency INTEGER,
  Approved TEXT COLLATE NOCASE DEFAULT 'N',
  ProformaNo TEXT COLLATE NOCASE,
  SaveKey TEXT
);
CREATE UNIQUE INDEX IX_FrPoHd_PoNo ON FrPoHd (PoNo, PoType);
-- A new document's identity of its own, written by its save: a save whose reply was lost
-- (the connection dropped during COMMIT) finds it on the next try instead of storing the
-- document twice. Empty for documents written before, or by other programs.
CREATE UNIQUE INDEX IX_FrPoHd_SaveKey ON FrPoHd (SaveKey);
CREATE INDEX IX_FrPoHd_FrVendor ON FrPoHd (FrVendor);

CREATE TABLE FrPoDt (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  FrPoHd INTEGER NOT NULL,
  PoRecNo INTEGER,
  PoDate DATETIME,
  Product INTEGER NOT NULL,
  TaxCode INTEGER,
  TaxRate REAL DEFAULT 0,
  ProductUnits INTEGER NOT NULL,
  ShipDate DATETIME,
  Warehouse INTEGER,
  LotNo INTEGER,
  Quantity REAL DEFAULT 0,
  QWeightSize REAL DEFAULT 0,
  Received REAL DEFAULT 0,
  BackOrder REAL DEFAULT 0,
  Fraction INTEGER DEFAULT 1,
  Price REAL DEFAULT 0,
  Discount TEXT COLLATE NOCASE DEFAULT '',
  DiscountAmt REAL DEFAULT 0,
  ProductAmount REAL DEFAULT 0,
  Total REAL DEFAULT 0,
  Clear TEXT COLLATE NOCASE DEFAULT 'N',
  MemoLine TEXT COLLATE NOCASE,
  ProjectItemHd INTEGER
);
CREATE INDEX IX_FrPoDt_FrPoHd ON FrPoDt (FrPoHd, PoRecNo);
CREATE INDEX IX_FrPoDt_Product ON FrPoDt (Product);

-- ===================================================================== landed cost estimates of foreign orders
-- What a foreign order's goods were expected to cost landed, stored when the order is saved
-- with the values the estimate used and where each came from, so lots costed later do not
-- change it. `namkhao-db upgrade` runs this section on an older company (hence IF NOT EXISTS).

-- One row per order: the expected exchange rate and expense share.
CREATE TABLE IF NOT EXISTS FrPoEstHd (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  FrPoHd INTEGER NOT NULL,
  EstDate DATETIME,
  FrVendor INTEGER,
  Currency INTEGER,
  ExchangeRate REAL,
  RateImHd INTEGER,
  RateDocNo TEXT COLLATE NOCASE,
  RateDocDate DATETIME,
  RateTyped TEXT COLLATE NOCASE DEFAULT 'N',
  ExpenseShare REAL,
  ExpenseLots TEXT COLLATE NOCASE,
  ExpenseVendorOnly TEXT COLLATE NOCASE DEFAULT 'N',
  ExpenseTyped TEXT COLLATE NOCASE DEFAULT 'N',
  Total REAL
);
CREATE UNIQUE INDEX IF NOT EXISTS IX_FrPoEstHd_FrPoHd ON FrPoEstHd (FrPoHd);

-- One row per order line: its expected duty share and the amounts of the estimate.
CREATE TABLE IF NOT EXISTS FrPoEstDt (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  FrPoHd INTEGER NOT NULL,
  FrPoDt INTEGER NOT NULL,
  Product INTEGER,
  Quantity REAL,
  Fraction REAL,
  Amount REAL,
  DutyShare REAL,
  DutyLot INTEGER,
  DutyLotCode TEXT COLLATE NOCASE,
  DutyTyped TEXT COLLATE NOCASE DEFAULT 'N',
  GoodsBaht REAL,
  Duty REAL,
  Expense REAL,
  LandedCost REAL,
  UnitCost REAL
);
CREATE INDEX IF NOT EXISTS IX_FrPoEstDt_FrPoHd ON FrPoEstDt (FrPoHd);
CREATE UNIQUE INDEX IF NOT EXISTS IX_FrPoEstDt_FrPoDt ON FrPoEstDt (FrPoDt);

-- The company's choice for the expected expenses: how many of the latest costed lots are
-- averaged, and whether only lots holding imports of the order's vendor count.
CREATE TABLE IF NOT EXISTS FrPoEstSetting (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  Lots INTEGER DEFAULT 3,
  VendorOnly TEXT COLLATE NOCASE DEFAULT 'Y'
);
INSERT INTO FrPoEstSetting (Lots, VendorOnly) SELECT 3, 'Y' WHERE NOT EXISTS (SELECT 1 FROM FrPoEstSetting);

-- ===================================================================== vendor bills (credit MrHd, cash PcHd)

CREATE TABLE MrHd (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  DelFlag TEXT COLLATE NOCASE DEFAULT 'N',
  MrType TEXT COLLATE NOCASE,
  MrNo TEXT COLLATE NOCASE NOT NULL,
  MrDate DATETIME,
  ImportLotNo INTEGER,
  MrTAXNO TEXT COLLATE NOCASE,
  MrTaxDate DATETIME,
  MrPrintTaxDate DATETIME,
  Department INTEGER,
  Project INTEGER,
  PoHd INTEGER DEFAULT 0,
  Vendor INTEGER,
  TaxCode INTEGER,
  TaxRate REAL DEFAULT 0,
  Price_IE TEXT COLLATE NOCASE,
  DueDays INTEGER DEFAULT 0,
  DueDate DATETIME,
  Warehouse INTEGER,
  Reference TEXT COLLATE NOCASE,
  Remark TEXT COLLATE NOCASE,
  NoTaxAmt REAL DEFAULT 0,
  TaxAmt REAL DEFAULT 0,
  TaxTotal REAL DEFAULT 0,
  TaxCal REAL DEFAULT 0,
  Total REAL DEFAULT 0,
  DiscName1 TEXT COLLATE NOCASE,
  DiscRate1 REAL DEFAULT 0,
  DiscAmt1 REAL DEFAULT 0,
  DiscName2 TEXT COLLATE NOCASE,
  DiscRate2 REAL DEFAULT 0,
  DiscAmt2 REAL DEFAULT 0,
  DiscName3 TEXT COLLATE NOCASE,
  DiscRate3 REAL DEFAULT 0,
  DiscAmt3 REAL DEFAULT 0,
  Clear TEXT COLLATE NOCASE DEFAULT 'N',
  CanUseTax TEXT COLLATE NOCASE DEFAULT 'Y',
  PaidAmount REAL DEFAULT 0,
  LotNo INTEGER,
  Posted TEXT COLLATE NOCASE DEFAULT 'N',
  Imported TEXT COLLATE NOCASE DEFAULT 'N',
  BeginBalance TEXT COLLATE NOCASE DEFAULT 'N',
  Transfer TEXT COLLATE NOCASE DEFAULT 'N',
  Prepaid INTEGER,
  PrepaidAmount REAL DEFAULT 0,
  SaveKey TEXT
);
CREATE UNIQUE INDEX IX_MrHd_MrNo ON MrHd (MrNo, MrType);
CREATE UNIQUE INDEX IX_MrHd_SaveKey ON MrHd (SaveKey);
CREATE INDEX IX_MrHd_ImportLotNo ON MrHd (ImportLotNo);
CREATE INDEX IX_MrHd_Vendor ON MrHd (Vendor);
CREATE INDEX IX_MrHd_MrTaxNo ON MrHd (MrTAXNO);

CREATE TABLE MrDt (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  MrHd INTEGER NOT NULL,
  MrRecNo INTEGER,
  MrDate DATETIME,
  PoDt INTEGER DEFAULT 0,
  Product INTEGER NOT NULL,
  TaxCode INTEGER,
  TaxRate REAL DEFAULT 0,
  ProductUnits INTEGER NOT NULL,
  Warehouse INTEGER,
  LotNo INTEGER,
  SerialNo INTEGER,
  Quantity REAL DEFAULT 0,
  QWeightSize REAL DEFAULT 0,
  Fraction INTEGER DEFAULT 1,
  Price REAL DEFAULT 0,
  Cost REAL DEFAULT 0,
  Discount TEXT COLLATE NOCASE DEFAULT '',
  DiscountAmt REAL DEFAULT 0,
  ProductAmount REAL DEFAULT 0,
  Total REAL DEFAULT 0,
  MemoLine TEXT COLLATE NOCASE,
  ProjectItemHd INTEGER
);
CREATE INDEX IX_MrDt_MrHd ON MrDt (MrHd, MrRecNo);
CREATE INDEX IX_MrDt_Product ON MrDt (Product, ProductUnits);

CREATE TABLE PcHd (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  DelFlag TEXT COLLATE NOCASE DEFAULT 'N',
  PcType TEXT COLLATE NOCASE,
  PcNo TEXT COLLATE NOCASE NOT NULL,
  PcDate DATETIME,
  ImportLotNo INTEGER,
  PcTaxNo TEXT COLLATE NOCASE,
  PcTaxDate DATETIME,
  PcPrintTaxDate DATETIME,
  Department INTEGER,
  Project INTEGER,
  PoHd INTEGER DEFAULT 0,
  Vendor INTEGER,
  TaxCode INTEGER,
  TaxRate REAL DEFAULT 0,
  Price_IE TEXT COLLATE NOCASE,
  Warehouse INTEGER,
  Reference TEXT COLLATE NOCASE,
  Remark TEXT COLLATE NOCASE,
  NoTaxAmt REAL DEFAULT 0,
  TaxAmt REAL DEFAULT 0,
  TaxTotal REAL DEFAULT 0,
  TaxCal REAL DEFAULT 0,
  Total REAL DEFAULT 0,
  DiscName1 TEXT COLLATE NOCASE,
  DiscRate1 REAL DEFAULT 0,
  DiscAmt1 REAL DEFAULT 0,
  DiscName2 TEXT COLLATE NOCASE,
  DiscRate2 REAL DEFAULT 0,
  DiscAmt2 REAL DEFAULT 0,
  DiscName3 TEXT COLLATE NOCASE,
  DiscRate3 REAL DEFAULT 0,
  DiscAmt3 REAL DEFAULT 0,
  LotNo INTEGER,
  Posted TEXT COLLATE NOCASE DEFAULT 'N',
  Imported TEXT COLLATE NOCASE DEFAULT 'N',
  BeginBalance TEXT COLLATE NOCASE DEFAULT 'N',
  Transfer TEXT COLLATE NOCASE DEFAULT 'N',
  CanUseTax TEXT COLLATE NOCASE DEFAULT 'Y',
  Prepaid INTEGER,
  PrepaidAmount REAL DEFAULT 0,
  SaveKey TEXT
);
CREATE UNIQUE INDEX IX_PcHd_PcNo ON PcHd (PcNo, PcType);
CREATE UNIQUE INDEX IX_PcHd_SaveKey ON PcHd (SaveKey);
CREATE INDEX IX_PcHd_ImportLotNo ON PcHd (ImportLotNo);
CREATE INDEX IX_PcHd_Vendor ON PcHd (Vendor);
CREATE INDEX IX_PcHd_PcTaxNo ON PcHd (PcTaxNo);

CREATE TABLE PcDt (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  PcHd INTEGER NOT NULL,
  PcRecNo INTEGER,
  PcDate DATETIME,
  PoDt INTEGER DEFAULT 0,
  Product INTEGER NOT NULL,
  TaxCode INTEGER,
  TaxRate REAL DEFAULT 0,
  ProductUnits INTEGER NOT NULL,
  Warehouse INTEGER,
  LotNo INTEGER,
  SerialNo INTEGER,
  Quantity REAL DEFAULT 0,
  QWeightSize REAL DEFAULT 0,
  Fraction INTEGER DEFAULT 1,
  Price REAL DEFAULT 0,
  Cost REAL DEFAULT 0,
  Discount TEXT COLLATE NOCASE DEFAULT '',
  DiscountAmt REAL DEFAULT 0,
  ProductAmount REAL DEFAULT 0,
  Total REAL DEFAULT 0,
  MemoLine TEXT COLLATE NOCASE,
  ProjectItemHd INTEGER
);
CREATE INDEX IX_PcDt_PcHd ON PcDt (PcHd, PcRecNo);
CREATE INDEX IX_PcDt_Product ON PcDt (Product, ProductUnits);

-- ===================================================================== import documents

CREATE TABLE ImHd (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  DelFlag TEXT COLLATE NOCASE DEFAULT 'N',
  ImNo TEXT COLLATE NOCASE NOT NULL,
  ImDate DATETIME,
  ImportLotNo INTEGER,
  Department INTEGER,
  Project INTEGER,
  FrPoHd INTEGER,
  FrVendor INTEGER,
  TransportNo TEXT COLLATE NOCASE,
  Currency INTEGER,
  ExchangeRate REAL DEFAULT 1,
  DueDate DATETIME,
  Warehouse INTEGER,
  Reference TEXT COLLATE NOCASE,
  Remark TEXT COLLATE NOCASE,
  Total REAL DEFAULT 0,
  Clear TEXT COLLATE NOCASE DEFAULT 'N',
  PaidAmount REAL DEFAULT 0,
  LotNo INTEGER,
  Posted TEXT COLLATE NOCASE DEFAULT 'N',
  Imported TEXT COLLATE NOCASE DEFAULT 'N',
  BeginBalance TEXT COLLATE NOCASE DEFAULT 'N',
  SaveKey TEXT
);
-- Import documents and bills brought forward share the numbers of code IMPORT: one series
-- for both kinds.
CREATE UNIQUE INDEX IX_ImHd_ImNo ON ImHd (ImNo);
CREATE UNIQUE INDEX IX_ImHd_SaveKey ON ImHd (SaveKey);
CREATE INDEX IX_ImHd_ImportLotNo ON ImHd (ImportLotNo);
CREATE INDEX IX_ImHd_FrVendor ON ImHd (FrVendor);

CREATE TABLE ImDuty (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  ImHd INTEGER NOT NULL,
  DutyNo INTEGER NOT NULL,
  Total REAL DEFAULT 0
);
CREATE INDEX IX_ImDuty_ImHd ON ImDuty (ImHd, DutyNo);

CREATE TABLE ImDt (
  ID INTEGER PRIMARY KEY AUTOINCREMENT,
  ImHd INTEGER NOT NULL,
  ImRecNo INTEGER,
  ImDate DATETIME,
  PoDt INTEGER,
  Product INTEGER NOT NULL,
  ProductUnits INTEGER NOT NULL,
  Warehouse INTEGER,
  LotNo INTEGER,
  SerialNo INTEGER,
  ImDuty INTEGER,
  Quantity REAL DEFAULT 0,
  Fraction INTEGER DEFAULT 1,
  Cost REAL DEFAULT 0,
  Total REAL DEFAULT 0
);
CREATE INDEX IX_ImDt_ImHd ON ImDt (ImHd, ImRecNo);
CREATE INDEX IX_ImDt_ImDuty ON ImDt (ImDuty);
CREATE INDEX IX_ImDt_Product ON ImDt (Product);
CREATE INDEX IX_ImDt_PoDt ON ImDt (PoDt);

-- Duty in baht per import line: each duty group's amount is spread over the lines of the
-- group in proportion to the lines' baht value (Total x ExchangeRate of the document); when
-- the lines of a group are worth nothing, the amount is split equally between them. A cancelled
-- import document (DelFlag 'Y') brings no duty, as its lines bring no goods to the lot's cost.
-- Import cost sums Duty per ImportLotNo and Product.
CREATE VIEW ImDtDuty AS
SELECT H.ImportLotNo, D.Product, D.ImHd, D.ID AS ImDt, D.ImDuty,
       CASE WHEN G.GroupBaht <> 0
            THEN T.Total * (COALESCE(D.Total, 0) * COALESCE(H.ExchangeRate, 0)) / G.GroupBaht
            ELSE T.Total / G.GroupLines END AS Duty
FROM ImDt D
INNER JOIN ImHd H ON (H.ID = D.ImHd)
INNER JOIN ImDuty T ON (T.ID = D.ImDuty)
INNER JOIN (SELECT D2.ImDuty,
                   SUM(COALESCE(D2.Total, 0) * COALESCE(H2.ExchangeRate, 0)) AS GroupBaht,
                   COUNT(*) AS GroupLines
            FROM ImDt D2 INNER JOIN ImHd H2 ON (H2.ID = D2.ImHd)
            GROUP BY D2.ImDuty) G ON (G.ImDuty = D.ImDuty)
WHERE COALESCE(H.DelFlag, 'N') <> 'Y';
