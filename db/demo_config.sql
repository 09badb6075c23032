-- Demo data of the configuration database: company DEMO, its menu entries and four users.
-- User 1: Thai, every right. User 2: English, every right. User 3: no access to any entry.
-- User 4: may open every entry but neither add, modify nor delete.

INSERT INTO Company (Id, Code, Password, NameThai, NameEng, ShortName, Address1, Address2, Address3, Address4,
  Province, Zip, Telephone, Fax, EMail, TaxNo, InstallDate, RunYear, LocalServer)
VALUES (1, 'DEMO', '', 'บริษัท นำเข้าตัวอย่าง จำกัด', 'Demo Import Co., Ltd.', 'นำเข้าตัวอย่าง',
  '99/9 ถนนพระราม 4', 'แขวงคลองเตย', 'เขตคลองเตย', '', 'กรุงเทพมหานคร', '10110',
  '02-123-4567', '02-123-4568', 'info@demo-import.example', '0105555000999',
  '{{PREVYEAR}}-01-01 00:00:00', {{YEAR}}, '');

INSERT INTO DatabaseList (Id, Company, DatabaseName, Description, YearNo)
VALUES (1, 1, 'DEMO', 'ฐานข้อมูลบริษัทตัวอย่าง', {{YEAR}});

INSERT INTO CompanyConfig (Id, Company, PicturePath, Public_Price_IE, DefaultWh, POS1_Wh, POS1_TaxCode,
  POS1_Price_IE, POS1_PriceType, POS1_SumDetail, DefaultPosComPort, DefaultTax, DefaultPosMenuId)
VALUES (1, 1, '', 'I', 1, 1, 1, 'I', 19, 'N', '', 1, NULL);

INSERT INTO Menu (Id, ParentId, MenuOrder, Caption, EngCaption, Command, ProgramCode, MenuOption) VALUES
  (1, 0, 1, 'นำเข้าสินค้าจากต่างประเทศ', 'Import Goods', 'namkhao', 'INBOUND', 'INBOUND'),
  (2, 0, 2, 'บิลค้างจ่ายต่างประเทศยกมา', 'Foreign Bills Brought Forward', 'namkhao', 'IMPBEGIN', 'IMPBEGIN'),
  (3, 0, 3, 'ค่าใช้จ่ายในการนำเข้าเงินเชื่อ', 'Import Expenses on Credit', 'namkhao', 'IMEXPTRAN', 'IMEXPTRAN'),
  (4, 0, 4, 'ค่าใช้จ่ายในการนำเข้าเงินสด', 'Import Expenses in Cash', 'namkhao', 'IMEXCTRAN', 'IMEXCTRAN'),
  (5, 0, 5, 'ต้นทุนการนำเข้า', 'Import Cost', 'namkhao', 'IMPORTCOST', 'IMPORTCOST'),
  (6, 0, 6, 'สั่งซื้อจากต่างประเทศ', 'Foreign Purchase Order', 'namkhao', 'FRPO', 'FRPO');

INSERT INTO username (Id, Code, Name, Password, LanguageNo, Approve_PO, SalesId, Blocked) VALUES
  (1, 'ADMIN', 'สมชาย ใจดี', '', 1, 'Y', 1, 'N'),
  (2, 'JOHN', 'John Smith', '', 0, 'Y', 0, 'N'),
  (3, 'GUEST', 'สมหญิง รักงาน', '', 1, 'N', 0, 'N'),
  (4, 'VIEWER', 'มานี มีสุข', '', 1, 'N', 0, 'N');

INSERT INTO MenuRight (MenuId, UserId, Access_R, Add_R, Modify_R, Delete_R)
SELECT Id, 1, 'Y', 'Y', 'Y', 'Y' FROM Menu;
INSERT INTO MenuRight (MenuId, UserId, Access_R, Add_R, Modify_R, Delete_R)
SELECT Id, 2, 'Y', 'Y', 'Y', 'Y' FROM Menu;
INSERT INTO MenuRight (MenuId, UserId, Access_R, Add_R, Modify_R, Delete_R)
SELECT Id, 3, 'N', 'N', 'N', 'N' FROM Menu;
INSERT INTO MenuRight (MenuId, UserId, Access_R, Add_R, Modify_R, Delete_R)
SELECT Id, 4, 'Y', 'N', 'N', 'N' FROM Menu;

INSERT INTO softwareconfig (Id, SoftwareName, Version, RegisterName, MaxUsers)
VALUES (1, 'Namkhao', '1.05.03.26', 'บริษัท นำเข้าตัวอย่าง จำกัด', 10);
