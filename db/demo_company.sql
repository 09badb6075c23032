-- Demo company DEMO: master data, numbering for this and next year, accounting periods and a
-- few documents. Import lot LOT{{YEAR}}-01 has two import documents, one credit bill, one cash
-- bill and one foreign miscellaneous payment, so its import cost has something to compute.

-- ===================================================================== code lists

INSERT INTO Misc (Id, GroupCode, Code, Description) VALUES
  (1, 'CURRENCY', 'THB', 'บาท'),
  (2, 'CURRENCY', 'USD', 'ดอลลาร์สหรัฐ'),
  (3, 'CURRENCY', 'JPY', 'เยนญี่ปุ่น'),
  (4, 'CURRENCY', 'EUR', 'ยูโร'),
  (5, 'CURRENCY', 'CNY', 'หยวนจีน'),
  (6, 'DEPARTMENT', 'PUR', 'ฝ่ายจัดซื้อ'),
  (7, 'DEPARTMENT', 'ACC', 'ฝ่ายบัญชี'),
  (8, 'DEPARTMENT', 'IMP', 'ฝ่ายนำเข้า'),
  (9, 'CITY', 'BKK', 'กรุงเทพมหานคร'),
  (10, 'CITY', 'CNX', 'เชียงใหม่'),
  (11, 'CITY', 'CBI', 'ชลบุรี'),
  (12, 'REM_PURC', 'R01', 'ส่งสินค้าตามกำหนดเวลา'),
  (13, 'REM_PURC', 'R02', 'ชำระเงินภายใน 30 วัน'),
  (14, 'COUNTRY', 'US', 'สหรัฐอเมริกา'),
  (15, 'COUNTRY', 'JP', 'ญี่ปุ่น'),
  (16, 'COUNTRY', 'DE', 'เยอรมนี'),
  (17, 'COUNTRY', 'CN', 'จีน'),
  (18, 'PRODINFO', 'MAT', 'วัสดุ'),
  (19, 'PRODINFO', 'MODEL', 'รุ่น'),
  (20, 'REM_PURC', 'IMP', 'สินค้านำเข้าทางเรือ');

INSERT INTO Tax (Id, Code, Description, Rate) VALUES
  (1, 'VAT7', 'ภาษีมูลค่าเพิ่ม 7%', 7),
  (2, 'VAT0', 'ไม่มีภาษีมูลค่าเพิ่ม', 0);

INSERT INTO Warehouse (Id, Code, Name, Blocked) VALUES
  (1, 'WH01', 'คลังสินค้าหลัก', 'N'),
  (2, 'WH02', 'คลังสินค้าท่าเรือแหลมฉบัง', 'N'),
  (3, 'WH99', 'คลังสินค้าเลิกใช้', 'Y');

INSERT INTO Project (Id, Code, Description, Blocked) VALUES
  (1, 'PJ01', 'โครงการขยายสาขาเชียงใหม่', 'N'),
  (2, 'PJ99', 'โครงการปิดแล้ว', 'Y');

INSERT INTO ProjectItemHd (Id, Project, Code, Description) VALUES
  (1, 1, 'IT01', 'งานตกแต่งร้าน');

INSERT INTO ImportLotNo (Id, Code, Description, EffectiveDate, Active) VALUES
  (1, 'LOT{{YEAR}}-01', 'เครื่องเขียนจากสหรัฐอเมริกา', '{{YEAR}}-02-01 00:00:00', 'Y'),
  (2, 'LOT{{YEAR}}-02', 'สินค้าจากญี่ปุ่น', '{{YEAR}}-03-01 00:00:00', 'Y'),
  (3, 'LOT{{PREVYEAR}}-12', 'ล็อตปีก่อน ปิดแล้ว', '{{PREVYEAR}}-12-01 00:00:00', 'N');

INSERT INTO Employee (Id, Code, Name, SurName, Department, Blocked) VALUES
  (1, 'E001', 'วิชัย', 'สุขสบาย', 6, 'N'),
  (2, 'E002', 'สุดา', 'ใจงาม', 8, 'N');

INSERT INTO Salesman (Id, Code, Name, SurName, Blocked) VALUES
  (1, 'S01', 'ประเสริฐ', 'ขายเก่ง', 'N');

-- ===================================================================== products and units

INSERT INTO Product (Id, Code, ThaiName, EngName, PosName, ProductType, Blocked, MasterCode, UseSerial, LotControl,
  TaxCode, DefaultWh, Remark, Picture1) VALUES
  (1, 'P001', 'ปากกาลูกลื่นสีน้ำเงิน', 'Blue Ballpoint Pen', 'ปากกาน้ำเงิน', 'P', 'N', 'N', 'N', 'N', 1, 1, 'หัว 0.5 มม.', 'P001.jpg'),
  (2, 'P002', 'ดินสอไม้ 2B', 'Pencil 2B', 'ดินสอ 2B', 'P', 'N', 'N', 'N', 'N', 1, 1, '', 'P002.jpg'),
  (3, 'P003', 'สมุดบันทึก A5', 'Notebook A5', 'สมุด A5', 'P', 'N', 'N', 'N', 'N', 1, 1, '80 แผ่น', 'P003.jpg'),
  (4, 'P004', 'เครื่องคิดเลขตั้งโต๊ะ', 'Desk Calculator', 'เครื่องคิดเลข', 'P', 'N', 'N', 'Y', 'N', 1, 1, 'มีหมายเลขเครื่อง', 'P004.jpg'),
  (5, 'P005', 'หมึกพิมพ์สีดำ', 'Black Printer Ink', 'หมึกดำ', 'P', 'N', 'N', 'N', 'Y', 1, 1, 'ควบคุมล็อต', ''),
  (6, 'P006', 'กระดาษถ่ายเอกสาร A4', 'Copy Paper A4', 'กระดาษ A4', 'P', 'N', 'N', 'N', 'N', 1, 2, '500 แผ่นต่อรีม', ''),
  (7, 'P007', 'แฟ้มเอกสารสันกว้าง', 'Lever Arch File', 'แฟ้ม', 'P', 'N', 'N', 'N', 'N', 1, 1, '', ''),
  (8, 'P008', 'เทปกาวใส', 'Clear Tape', 'เทปใส', 'P', 'Y', 'N', 'N', 'N', 1, 1, 'เลิกจำหน่าย', ''),
  (9, 'P009', 'กลุ่มเครื่องเขียน', 'Stationery Group', 'กลุ่มเครื่องเขียน', 'P', 'N', 'Y', 'N', 'N', 1, 1, 'รหัสหลัก', ''),
  (10, 'P010', 'ยางลบดินสอ', 'Eraser', 'ยางลบ', 'P', 'N', 'N', 'N', 'N', 1, 1, '', ''),
  (11, 'S001', 'ค่าระวางเรือ', 'Ocean Freight', 'ค่าระวางเรือ', 'S', 'N', 'N', 'N', 'N', 1, 1, '', ''),
  (12, 'S002', 'ค่าพิธีการศุลกากร', 'Customs Clearance', 'ค่าพิธีการ', 'S', 'N', 'N', 'N', 'N', 1, 1, '', ''),
  (13, 'S003', 'ค่าประกันภัยสินค้า', 'Cargo Insurance', 'ค่าประกันภัย', 'S', 'N', 'N', 'N', 'N', 1, 1, '', ''),
  (14, 'M001', 'วัสดุสิ้นเปลืองสำนักงาน', 'Office Supplies', 'วัสดุสิ้นเปลือง', 'M', 'N', 'N', 'N', 'N', 1, 1, '', ''),
  (15, 'M002', 'กล่องบรรจุภัณฑ์', 'Packing Box', 'กล่องบรรจุ', 'M', 'N', 'N', 'N', 'N', 1, 1, '', '');

-- Weights (kg) and sizes (cm) of the goods per small unit, for the import cost's split by
-- weight or volume. The master code P009 and the services have none.
UPDATE Product SET NetWeight = 0.008, GrossWeight = 0.01, Size_W = 1, Size_L = 14, Size_H = 1 WHERE Id = 1;
UPDATE Product SET NetWeight = 0.005, GrossWeight = 0.006, Size_W = 0.8, Size_L = 18, Size_H = 0.8 WHERE Id = 2;
UPDATE Product SET NetWeight = 0.15, GrossWeight = 0.18, Size_W = 14.8, Size_L = 21, Size_H = 1 WHERE Id = 3;
UPDATE Product SET NetWeight = 0.25, GrossWeight = 0.4, Size_W = 10, Size_L = 15, Size_H = 3 WHERE Id = 4;
UPDATE Product SET NetWeight = 0.1, GrossWeight = 0.12, Size_W = 5, Size_L = 5, Size_H = 10 WHERE Id = 5;
UPDATE Product SET NetWeight = 2.3, GrossWeight = 2.5, Size_W = 21, Size_L = 29.7, Size_H = 5 WHERE Id = 6;
UPDATE Product SET NetWeight = 0.35, GrossWeight = 0.4, Size_W = 7.5, Size_L = 32, Size_H = 29 WHERE Id = 7;
UPDATE Product SET NetWeight = 0.02, GrossWeight = 0.025, Size_W = 5, Size_L = 5, Size_H = 2 WHERE Id = 8;
UPDATE Product SET NetWeight = 0.02, GrossWeight = 0.022, Size_W = 2, Size_L = 4, Size_H = 1 WHERE Id = 10;

-- Goods: piece (small unit), box of 12 (stock unit), carton of 144 (purchase only).
INSERT INTO ProductUnits (Id, Product, UnitName, UnitDesc, Fraction, SmallUnitFlag, StockUnitFlag, SaleFlag, PurcFlag,
  BarCode, VolumnFraction, PurcPrice, LabourCost) VALUES
  (1, 1, 'ชิ้น', 'ด้ามละ', 1, 'Y', 'N', 'Y', 'Y', '8850001000011', 0, 5, 0),
  (2, 1, 'กล่อง', 'กล่องละ 12 ด้าม', 12, 'N', 'Y', 'Y', 'Y', '8850001000028', 0, 55, 0),
  (3, 1, 'ลัง', 'ลังละ 144 ด้าม', 144, 'N', 'N', 'N', 'Y', '8850001000035', 0, 600, 0),
  (4, 2, 'ชิ้น', 'แท่งละ', 1, 'Y', 'N', 'Y', 'Y', '8850002000010', 0, 3, 0),
  (5, 2, 'กล่อง', 'กล่องละ 12 แท่ง', 12, 'N', 'Y', 'Y', 'Y', '8850002000027', 0, 33, 0),
  (6, 2, 'ลัง', 'ลังละ 144 แท่ง', 144, 'N', 'N', 'N', 'Y', NULL, 0, 360, 0),
  (7, 3, 'ชิ้น', 'เล่มละ', 1, 'Y', 'N', 'Y', 'Y', '8850003000019', 0, 25, 0),
  (8, 3, 'กล่อง', 'กล่องละ 12 เล่ม', 12, 'N', 'Y', 'Y', 'Y', '8850003000026', 0, 280, 0),
  (9, 3, 'ลัง', 'ลังละ 144 เล่ม', 144, 'N', 'N', 'N', 'Y', NULL, 0, 3200, 0),
  (10, 4, 'เครื่อง', 'เครื่องละ', 1, 'Y', 'Y', 'Y', 'Y', '8850004000018', 0, 450, 0),
  (11, 5, 'ชิ้น', 'ขวดละ', 1, 'Y', 'N', 'Y', 'Y', '8850005000017', 0, 120, 0),
  (12, 5, 'กล่อง', 'กล่องละ 12 ขวด', 12, 'N', 'Y', 'Y', 'Y', '8850005000024', 0, 1380, 0),
  (13, 5, 'ลัง', 'ลังละ 144 ขวด', 144, 'N', 'N', 'N', 'Y', NULL, 0, 16000, 0),
  (14, 6, 'ชิ้น', 'รีมละ', 1, 'Y', 'N', 'Y', 'Y', '8850006000016', 0, 95, 0),
  (15, 6, 'กล่อง', 'กล่องละ 12 รีม', 12, 'N', 'Y', 'Y', 'Y', '8850006000023', 0, 1100, 0),
  (16, 6, 'ลัง', 'ลังละ 144 รีม', 144, 'N', 'N', 'N', 'Y', NULL, 0, 12800, 0),
  (17, 7, 'ชิ้น', 'แฟ้มละ', 1, 'Y', 'N', 'Y', 'Y', NULL, 0, 45, 0),
  (18, 7, 'กล่อง', 'กล่องละ 12 แฟ้ม', 12, 'N', 'Y', 'Y', 'Y', NULL, 0, 520, 0),
  (19, 7, 'ลัง', 'ลังละ 144 แฟ้ม', 144, 'N', 'N', 'N', 'Y', NULL, 0, 6000, 0),
  (20, 8, 'ชิ้น', 'ม้วนละ', 1, 'Y', 'N', 'Y', 'Y', '8850008000014', 0, 12, 0),
  (21, 8, 'กล่อง', 'กล่องละ 12 ม้วน', 12, 'N', 'Y', 'Y', 'Y', NULL, 0, 130, 0),
  (22, 8, 'ลัง', 'ลังละ 144 ม้วน', 144, 'N', 'N', 'N', 'Y', NULL, 0, 1500, 0),
  (23, 9, 'ชิ้น', '', 1, 'Y', 'Y', 'Y', 'Y', NULL, 0, 0, 0),
  (24, 10, 'ชิ้น', 'ก้อนละ', 1, 'Y', 'N', 'Y', 'Y', '8850010000010', 0, 4, 0),
  (25, 10, 'กล่อง', 'กล่องละ 12 ก้อน', 12, 'N', 'Y', 'Y', 'Y', NULL, 0, 45, 0),
  (26, 10, 'ลัง', 'ลังละ 144 ก้อน', 144, 'N', 'N', 'N', 'Y', NULL, 0, 500, 0),
  (27, 11, 'ครั้ง', '', 1, 'Y', 'Y', 'Y', 'Y', NULL, 0, 0, 0),
  (28, 12, 'ครั้ง', '', 1, 'Y', 'Y', 'Y', 'Y', NULL, 0, 0, 0),
  (29, 13, 'ครั้ง', '', 1, 'Y', 'Y', 'Y', 'Y', NULL, 0, 0, 0),
  (30, 14, 'ชิ้น', '', 1, 'Y', 'Y', 'Y', 'Y', NULL, 0, 20, 0),
  (31, 15, 'ใบ', '', 1, 'Y', 'Y', 'Y', 'Y', NULL, 0, 15, 0);

INSERT INTO ProductPrice (Id, Product, ProductUnits, PriceType, Price) VALUES
  (1, 1, 1, 19, 8),
  (2, 1, 2, 19, 90),
  (3, 2, 4, 19, 5),
  (4, 3, 7, 19, 39),
  (5, 6, 14, 19, 129);

INSERT INTO LotNo (Id, Code, Description, HasExpired, ExpiredDate) VALUES
  (1, 'LOT-A01', 'หมึกพิมพ์ล็อต A01 ไม่มีวันหมดอายุ', 'N', '1899-12-30 00:00:00'),
  (2, 'LOT-X01', 'หมึกพิมพ์ล็อต X01 หมดอายุแล้ว', 'Y', '{{PREVYEAR}}-06-30 00:00:00'),
  (3, 'LOT-B01', 'หมึกพิมพ์ล็อต B01', 'Y', '{{NEXTYEAR}}-12-31 00:00:00');

INSERT INTO SerialNo (Id, Product, Serial, Onhand) VALUES
  (1, 4, 'SN0001', 'Y'),
  (2, 4, 'SN0002', 'N');

INSERT INTO ProductOnHand (Product, ProductUnits, Warehouse, BalanceYear, PeriodNo, Quantity) VALUES
  (1, 1, 1, {{YEAR}}, 0, 300),
  (1, 1, 2, {{YEAR}}, 0, 30),
  (2, 4, 1, {{YEAR}}, 0, 150),
  (4, 10, 1, {{YEAR}}, 0, 5),
  (6, 14, 1, {{YEAR}}, 0, 1440),
  (1, 1, 1, {{PREVYEAR}}, 0, 100);

INSERT INTO ProdAttrGroup (Id, Code, Description, ProductType) VALUES
  (1, 'BR', 'ยี่ห้อ', 'P'),
  (2, 'CL', 'สี', 'P');

INSERT INTO ProdAttrCode (Id, ProdAttrGroup, Code, Description) VALUES
  (1, 1, 'A01', 'ยี่ห้อเอ'),
  (2, 1, 'B01', 'ยี่ห้อบี'),
  (3, 2, 'BLU', 'สีน้ำเงิน'),
  (4, 2, 'BLK', 'สีดำ');

INSERT INTO ProductAttr (Product, ProdAttrGroup, ProdAttrCode) VALUES
  (1, 1, 1), (1, 2, 3), (2, 1, 2), (5, 2, 4);

INSERT INTO ProductAttribute (Product, GroupCode) VALUES
  (1, 'BRA01'), (1, 'CLBLU'), (2, 'BRB01'), (5, 'CLBLK');

INSERT INTO ProductInFo (Product, Misc, MemoDesc) VALUES
  (1, 18, 'พลาสติก'),
  (1, 19, 'BP-100'),
  (3, 18, 'กระดาษถนอมสายตา');

INSERT INTO WorkId (Id, Material, Model) VALUES (1, 18, 19);

-- ===================================================================== vendors

INSERT INTO VendorGroup (Id, Code, Description, TaxCode) VALUES
  (1, 'DOM', 'ผู้ขายในประเทศ', 1),
  (2, 'FOR', 'ผู้ขายต่างประเทศ', 2);

INSERT INTO Vendor (Id, Code, Name, Remark, Blocked, HeadCode, TaxNumber, TaxCode, VendorGroup, DueDays, OpenAccount,
  CreditLimit, DirectVendor, Address1, Address2, Province, Zip, Telephone) VALUES
  (1, 'V001', 'บริษัท ขนส่งสากล จำกัด', 'ขนส่งทางเรือ', 'N', 'V001', '0105550001111', 1, 1, 30, 'Y', 500000, 'N',
   '12 ถนนสุนทรโกษา', 'เขตคลองเตย', 9, '10110', '02-222-1111'),
  (2, 'V002', 'บริษัท ชิปปิ้งไทย จำกัด', 'ตัวแทนออกของ', 'N', 'V002', '0105550002222', 1, 1, 0, 'N', 0, 'N',
   '45 ถนนเจริญกรุง', 'เขตบางรัก', 9, '10500', '02-333-2222'),
  (3, 'V003', 'ห้างหุ้นส่วนจำกัด เลิกกิจการ', 'ระงับการใช้งาน', 'Y', 'V003', '0103550003333', 1, 1, 0, 'N', 0, 'N',
   '', '', 10, '', '');

INSERT INTO FrVendor (Id, Code, Name, Remark, Blocked, VendorGroup, Country, Currency, DueDays, OpenAccount, CreditLimit,
  Address1, Address2, Telephone, EMail) VALUES
  (1, 'F001', 'Pacific Office Supply Inc.', '', 'N', 2, 14, 2, 60, 'Y', 0, '1200 Harbor Blvd.', 'Long Beach, CA', '+1-562-555-0100', 'sales@pacific-office.example'),
  (2, 'F002', 'Sakura Bungu Co., Ltd.', '', 'N', 2, 15, 3, 30, 'Y', 0, '3-5 Nihonbashi', 'Tokyo', '+81-3-5555-0200', 'export@sakura-bungu.example'),
  (3, 'F003', 'Rhein Papier GmbH', '', 'N', 2, 16, 4, 45, 'N', 0, 'Hafenstrasse 7', 'Duisburg', '+49-203-555-0300', 'info@rhein-papier.example'),
  (4, 'F004', 'Huadong Stationery Co., Ltd.', '', 'N', 2, 17, 5, 30, 'N', 0, '88 Jiangnan Road', 'Ningbo', '+86-574-5555-0400', 'trade@huadong.example');

INSERT INTO VendorBalance (Vendor, BalanceYear, Balance, ChqDue, ChqRtd) VALUES
  (1, {{YEAR}}, 10700, 0, 0);

INSERT INTO VenAttrGroup (Id, Code, Description) VALUES (1, 'TY', 'ประเภทผู้ขาย');
INSERT INTO VenAttrCode (Id, VenAttrGroup, Code, Description) VALUES
  (1, 1, 'FW', 'บริษัทขนส่ง'),
  (2, 1, 'CB', 'ตัวแทนออกของ');
INSERT INTO VendorAttribute (Vendor, GroupCode) VALUES (1, 'TYFW'), (2, 'TYCB');

-- Part codes of vendors. Foreign vendors' rows carry the FrVendor Id in Vendor.
INSERT INTO PartSource (Id, Vendor, Product, ProductUnits, PurchaseCode, PurchaseName, Price, DiscountStr) VALUES
  (1, 1, 1, 2, 'BP-100', 'Ballpoint Pen Blue, box of 12', 1.5, ''),
  (2, 1, 3, 8, 'NB-A5', 'Notebook A5, box of 12', 7.2, ''),
  (3, 1, 11, 27, 'FRT-SEA', 'ค่าระวางเรือ', 10000, '');

INSERT INTO PrePaid (Id, DelFlag, PrNo, PrDate, Vendor, Reference, Remark, TaxCode, TaxRate, TaxTotal, Total, PaidAmount, Clear) VALUES
  (1, 'N', 'PR{{YEAR}}-0001', '{{YEAR}}-01-20 00:00:00', 1, 'มัดจำค่าขนส่ง', '', 1, 7, 327.1, 5000, 0, 'N');

-- ===================================================================== numbering, settings, calendar

INSERT INTO DocumentNo (Code, DocYear, Description, Prefix, LastNo, DocumentLength, AutoRun, DocType) VALUES
  ('IMPORT', {{YEAR}}, 'ใบนำเข้าสินค้าจากต่างประเทศ', 'IM{{YEAR}}-', 3, 12, 'Y', 'IM'),
  ('FRPO-P', {{YEAR}}, 'ใบสั่งซื้อต่างประเทศ', 'FP{{YEAR}}-', 2, 12, 'Y', 'FP'),
  ('FRPO-', {{YEAR}}, 'ใบสั่งซื้อต่างประเทศ ยกมา', 'FB{{YEAR}}-', 0, 12, 'N', 'FP'),
  ('MR-S', {{YEAR}}, 'ค่าใช้จ่ายในการนำเข้าเงินเชื่อ', 'MS', 2, 10, 'N', 'MR'),
  ('PC-S', {{YEAR}}, 'ค่าใช้จ่ายในการนำเข้าเงินสด', 'CS{{YEAR}}-', 1, 12, 'Y', 'PC'),
  ('PO-S', {{YEAR}}, 'ใบสั่งซื้อค่าบริการ', 'PS', 1, 10, 'N', 'PO'),
  ('IMPORT', {{NEXTYEAR}}, 'ใบนำเข้าสินค้าจากต่างประเทศ', 'IM{{NEXTYEAR}}-', 0, 12, 'Y', 'IM'),
  ('FRPO-P', {{NEXTYEAR}}, 'ใบสั่งซื้อต่างประเทศ', 'FP{{NEXTYEAR}}-', 0, 12, 'Y', 'FP'),
  ('FRPO-', {{NEXTYEAR}}, 'ใบสั่งซื้อต่างประเทศ ยกมา', 'FB{{NEXTYEAR}}-', 0, 12, 'N', 'FP'),
  ('MR-S', {{NEXTYEAR}}, 'ค่าใช้จ่ายในการนำเข้าเงินเชื่อ', 'MS', 0, 10, 'N', 'MR'),
  ('PC-S', {{NEXTYEAR}}, 'ค่าใช้จ่ายในการนำเข้าเงินสด', 'CS{{NEXTYEAR}}-', 0, 12, 'Y', 'PC'),
  ('PO-S', {{NEXTYEAR}}, 'ใบสั่งซื้อค่าบริการ', 'PS', 0, 10, 'N', 'PO');

-- Foreign orders of type A share the numbers of type P.
INSERT INTO DocNoConvert (Code, DocYear, DocumentNo)
SELECT 'FRPO-A', {{YEAR}}, Id FROM DocumentNo WHERE Code = 'FRPO-P' AND DocYear = {{YEAR}};

INSERT INTO Config (Id, RunYear, LastIvRunMonth, LastRcptRunMonth, UnitLeft, UnitRight, SearchProductNo,
  SearchProductMethod, ShowLastSearch, PicturePath, AutoGenGL, Purc_IE, LockInputProject, MrRefPO, PO_Approved,
  PORQ_Approved, PORQ_ApprovedDT, purcunlockcredit, CompanyName, GLImportAccount, GLFrCreditorAccount,
  GLExpenseAccount, GLVatAccount, GLCreditorAccount, GLCashAccount)
VALUES (1, {{YEAR}}, 'N', 'N', '', '', 0, 0, 'N', '', 'Y', 'E', 'N', 'N', 'N', 'N', 'N', 'Y',
  'บริษัท นำเข้าตัวอย่าง จำกัด', '1140', '2120', '5310', '1160', '2110', '1110');

INSERT INTO GLAccount (Code, Name, EngName) VALUES
  ('1110', 'เงินสด', 'Cash'),
  ('1140', 'สินค้านำเข้าระหว่างทาง', 'Goods in Transit'),
  ('1160', 'ภาษีซื้อ', 'Input VAT'),
  ('2110', 'เจ้าหนี้การค้า', 'Trade Creditors'),
  ('2120', 'เจ้าหนี้ต่างประเทศ', 'Foreign Creditors'),
  ('5310', 'ค่าใช้จ่ายในการนำเข้า', 'Import Expenses');

-- Monthly periods of the previous and the current year; June of the previous year is locked.
INSERT INTO accountperiod (AccountYear,
  Start1, Stop1, Lock1,
  Start2, Stop2, Lock2,
  Start3, Stop3, Lock3,
  Start4, Stop4, Lock4,
  Start5, Stop5, Lock5,
  Start6, Stop6, Lock6,
  Start7, Stop7, Lock7,
  Start8, Stop8, Lock8,
  Start9, Stop9, Lock9,
  Start10, Stop10, Lock10,
  Start11, Stop11, Lock11,
  Start12, Stop12, Lock12)
VALUES ({{PREVYEAR}},
  '{{PREVYEAR}}-01-01 00:00:00', '{{LASTDAY:{{PREVYEAR}}-01}} 00:00:00', 'N',
  '{{PREVYEAR}}-02-01 00:00:00', '{{LASTDAY:{{PREVYEAR}}-02}} 00:00:00', 'N',
  '{{PREVYEAR}}-03-01 00:00:00', '{{LASTDAY:{{PREVYEAR}}-03}} 00:00:00', 'N',
  '{{PREVYEAR}}-04-01 00:00:00', '{{LASTDAY:{{PREVYEAR}}-04}} 00:00:00', 'N',
  '{{PREVYEAR}}-05-01 00:00:00', '{{LASTDAY:{{PREVYEAR}}-05}} 00:00:00', 'N',
  '{{PREVYEAR}}-06-01 00:00:00', '{{LASTDAY:{{PREVYEAR}}-06}} 00:00:00', 'Y',
  '{{PREVYEAR}}-07-01 00:00:00', '{{LASTDAY:{{PREVYEAR}}-07}} 00:00:00', 'N',
  '{{PREVYEAR}}-08-01 00:00:00', '{{LASTDAY:{{PREVYEAR}}-08}} 00:00:00', 'N',
  '{{PREVYEAR}}-09-01 00:00:00', '{{LASTDAY:{{PREVYEAR}}-09}} 00:00:00', 'N',
  '{{PREVYEAR}}-10-01 00:00:00', '{{LASTDAY:{{PREVYEAR}}-10}} 00:00:00', 'N',
  '{{PREVYEAR}}-11-01 00:00:00', '{{LASTDAY:{{PREVYEAR}}-11}} 00:00:00', 'N',
  '{{PREVYEAR}}-12-01 00:00:00', '{{PREVYEAR}}-12-31 00:00:00', 'N');
INSERT INTO accountperiod (AccountYear,
  Start1, Stop1, Lock1,
  Start2, Stop2, Lock2,
  Start3, Stop3, Lock3,
  Start4, Stop4, Lock4,
  Start5, Stop5, Lock5,
  Start6, Stop6, Lock6,
  Start7, Stop7, Lock7,
  Start8, Stop8, Lock8,
  Start9, Stop9, Lock9,
  Start10, Stop10, Lock10,
  Start11, Stop11, Lock11,
  Start12, Stop12, Lock12)
VALUES ({{YEAR}},
  '{{YEAR}}-01-01 00:00:00', '{{LASTDAY:{{YEAR}}-01}} 00:00:00', 'N',
  '{{YEAR}}-02-01 00:00:00', '{{LASTDAY:{{YEAR}}-02}} 00:00:00', 'N',
  '{{YEAR}}-03-01 00:00:00', '{{LASTDAY:{{YEAR}}-03}} 00:00:00', 'N',
  '{{YEAR}}-04-01 00:00:00', '{{LASTDAY:{{YEAR}}-04}} 00:00:00', 'N',
  '{{YEAR}}-05-01 00:00:00', '{{LASTDAY:{{YEAR}}-05}} 00:00:00', 'N',
  '{{YEAR}}-06-01 00:00:00', '{{LASTDAY:{{YEAR}}-06}} 00:00:00', 'N',
  '{{YEAR}}-07-01 00:00:00', '{{LASTDAY:{{YEAR}}-07}} 00:00:00', 'N',
  '{{YEAR}}-08-01 00:00:00', '{{LASTDAY:{{YEAR}}-08}} 00:00:00', 'N',
  '{{YEAR}}-09-01 00:00:00', '{{LASTDAY:{{YEAR}}-09}} 00:00:00', 'N',
  '{{YEAR}}-10-01 00:00:00', '{{LASTDAY:{{YEAR}}-10}} 00:00:00', 'N',
  '{{YEAR}}-11-01 00:00:00', '{{LASTDAY:{{YEAR}}-11}} 00:00:00', 'N',
  '{{YEAR}}-12-01 00:00:00', '{{YEAR}}-12-31 00:00:00', 'N');

-- ===================================================================== print layouts

INSERT INTO SystemForm (FormOrderNo, FormCode, FormDesc, FrfName, SpName, DocCode, DocParaName, ShowPrintPreview) VALUES
  (1, 'IMPORT', 'ใบนำเข้าสินค้า', 'Form_Import.frf', '', 'IMPORT', '', 'Y'),
  (2, 'IMPORT', 'ใบนำเข้าสินค้า (ดูอย่างเดียว)', 'Form_Import.frf', '', 'IMPORT', '', 'N'),
  (1, 'FRPO-P', 'ใบสั่งซื้อต่างประเทศ', 'Form_FrPo.frf', '', 'FRPO-P', '', 'Y'),
  (1, 'MR-S', 'ค่าใช้จ่ายในการนำเข้าเงินเชื่อ', 'Form_MrS.frf', '', 'MR-S', '', 'Y'),
  (1, 'PC-S', 'ค่าใช้จ่ายในการนำเข้าเงินสด', 'Form_PcS.frf', '', 'PC-S', '', 'Y');

-- ===================================================================== documents

-- Foreign purchase orders (amounts in the order currency). Their lines hold what the import
-- documents below received of them (Received, BackOrder and Clear in small units, as the
-- imports' saves leave them): the first order in full, the second but its last line.
INSERT INTO FrPoHd (ID, DelFlag, PoType, PoNo, PoDate, PrNo, CanUseTax, FrVendor, PrePaid, Department, Project, TaxCode,
  TaxRate, Price_IE, ShipDate, CreditDays, Reference, Remark, NoTaxAmt, TaxAmt, TaxTotal, TaxCal, Total,
  DiscName1, DiscRate1, DiscAmt1, DiscName2, DiscRate2, DiscAmt2, DiscName3, DiscRate3, DiscAmt3, Clear, LotNo,
  Posted, Imported, PurcRequestNo, PurcRequestDate, PaidType, Currency, Approved, ProformaNo) VALUES
  (1, 'N', 'P', 'FP{{YEAR}}-00001', '{{YEAR}}-01-15 00:00:00', '', 'Y', 1, '', 8, NULL, 2,
   0, 'E', '{{YEAR}}-02-15 00:00:00', 60, 'PO-USA-01', 'สินค้านำเข้าทางเรือ', 1710, 0, 0, 0, 1710,
   '', 0, 0, '', 0, 0, '', 0, 0, 'Y', NULL,
   'N', 'N', '', '1899-12-30 00:00:00', 'T', 2, 'Y', 'PI-7788'),
  (2, 'N', 'P', 'FP{{YEAR}}-00002', '{{YEAR}}-02-01 00:00:00', '', 'Y', 2, '', 8, NULL, 2,
   0, 'E', '{{YEAR}}-03-01 00:00:00', 30, 'PO-JP-01', '', 142000, 0, 0, 0, 142000,
   '', 0, 0, '', 0, 0, '', 0, 0, 'N', NULL,
   'N', 'N', '', '1899-12-30 00:00:00', 'T', 3, 'Y', 'SB-2231');

INSERT INTO FrPoDt (ID, FrPoHd, PoRecNo, PoDate, Product, TaxCode, TaxRate, ProductUnits, ShipDate, Warehouse, LotNo,
  Quantity, QWeightSize, Received, BackOrder, Fraction, Price, Discount, DiscountAmt, ProductAmount, Total, Clear,
  MemoLine, ProjectItemHd) VALUES
  (1, 1, 1, '{{YEAR}}-01-15 00:00:00', 1, 2, 0, 2, '{{YEAR}}-02-15 00:00:00', 1, NULL, 100, 0, 1200, 0, 12, 1.5, '', 0, 150, 150, 'Y', '', NULL),
  (2, 1, 2, '{{YEAR}}-01-15 00:00:00', 3, 2, 0, 8, '{{YEAR}}-02-15 00:00:00', 1, NULL, 50, 0, 600, 0, 12, 7.2, '', 0, 360, 360, 'Y', '', NULL),
  (3, 1, 3, '{{YEAR}}-01-15 00:00:00', 6, 2, 0, 16, '{{YEAR}}-02-15 00:00:00', 2, NULL, 10, 0, 1440, 0, 144, 120, '', 0, 1200, 1200, 'Y', '', NULL),
  (4, 2, 1, '{{YEAR}}-02-01 00:00:00', 4, 2, 0, 10, '{{YEAR}}-03-01 00:00:00', 1, NULL, 20, 0, 20, 0, 1, 3500, '', 0, 70000, 70000, 'Y', '', NULL),
  (5, 2, 2, '{{YEAR}}-02-01 00:00:00', 5, 2, 0, 12, '{{YEAR}}-03-01 00:00:00', 1, 3, 30, 0, 0, 360, 12, 2400, '', 0, 72000, 72000, 'N', '', NULL);

-- Import documents: two in lot 1 at different exchange rates, one in lot 2.
INSERT INTO ImHd (ID, DelFlag, ImNo, ImDate, ImportLotNo, Department, Project, FrPoHd, FrVendor, TransportNo, Currency,
  ExchangeRate, DueDate, Warehouse, Reference, Remark, Total, Clear, PaidAmount, LotNo, Posted, Imported, BeginBalance) VALUES
  (1, 'N', 'IM{{YEAR}}-00001', '{{YEAR}}-02-20 00:00:00', 1, NULL, NULL, NULL, 1, 'BL-USA-0001', 2,
   35.5, '{{YEAR}}-02-20 00:00:00', 1, '', 'ส่งสินค้าตามกำหนดเวลา', 510, 'N', 0, NULL, 'N', 'N', 'N'),
  (2, 'N', 'IM{{YEAR}}-00002', '{{YEAR}}-03-05 00:00:00', 1, NULL, NULL, NULL, 1, 'BL-USA-0002', 2,
   36, '{{YEAR}}-03-05 00:00:00', 2, '', '', 1275, 'N', 0, NULL, 'N', 'N', 'N'),
  (3, 'N', 'IM{{YEAR}}-00003', '{{YEAR}}-03-10 00:00:00', 2, NULL, NULL, NULL, 2, 'BL-JP-0001', 3,
   0.235, '{{YEAR}}-03-10 00:00:00', 1, '', '', 70000, 'N', 0, NULL, 'N', 'N', 'N');

-- Duty groups (baht).
INSERT INTO ImDuty (ID, ImHd, DutyNo, Total) VALUES
  (1, 1, 1, 1065),
  (2, 1, 2, 639),
  (3, 2, 1, 2295),
  (4, 3, 1, 1645);

INSERT INTO ImDt (ID, ImHd, ImRecNo, ImDate, PoDt, Product, ProductUnits, Warehouse, LotNo, SerialNo, ImDuty, Quantity,
  Fraction, Cost, Total) VALUES
  (1, 1, 1, '{{YEAR}}-02-20 00:00:00', 1, 1, 2, 1, NULL, NULL, 1, 100, 12, 0, 150),
  (2, 1, 2, '{{YEAR}}-02-20 00:00:00', 2, 3, 8, 1, NULL, NULL, 2, 50, 12, 0, 360),
  (3, 2, 1, '{{YEAR}}-03-05 00:00:00', NULL, 1, 2, 2, NULL, NULL, 3, 50, 12, 0, 75),
  (4, 2, 2, '{{YEAR}}-03-05 00:00:00', 3, 6, 16, 2, NULL, NULL, 3, 10, 144, 0, 1200),
  (5, 3, 1, '{{YEAR}}-03-10 00:00:00', 4, 4, 10, 1, NULL, NULL, 4, 20, 1, 0, 70000);

-- A domestic service order of type S that an import expense bill can take over.
INSERT INTO PoHd (ID, DelFlag, PoType, PoNo, PoDate, PrNo, Vendor, PrePaid, Department, Project, TaxCode, TaxRate,
  Price_IE, ShipDate, CreditDays, Reference, Remark, NoTaxAmt, TaxAmt, TaxTotal, TaxCal, Total, DiscName1, DiscRate1,
  DiscAmt1, DiscName2, DiscRate2, DiscAmt2, DiscName3, DiscRate3, DiscAmt3, Clear, LotNo, Posted, Imported,
  PurcRequestNo, PurcRequestDate, PaidType, Approved, CanUseTax, PorqHd, Salesman) VALUES
  (1, 'N', 'S', '    PS0001', '{{YEAR}}-03-01 00:00:00', '', 1, '', 8, NULL, 1, 7,
   'E', '{{YEAR}}-03-15 00:00:00', 30, 'ขนส่งล็อต 2', '', 0, 8000, 560, 560, 8560, '', 0,
   0, '', 0, 0, '', 0, 0, 'N', NULL, 'N', 'N',
   '', '1899-12-30 00:00:00', 'T', 'Y', 'Y', NULL, NULL);

INSERT INTO PoDt (ID, PoHd, PoRecNo, PoDate, Product, TaxCode, TaxRate, ProductUnits, ShipDate, Warehouse, LotNo,
  Quantity, QWeightSize, Received, BackOrder, Fraction, Price, Discount, DiscountAmt, ProductAmount, Total, Clear,
  MemoLine, ProjectItemHd, porqhd, porqdt) VALUES
  (1, 1, 1, '{{YEAR}}-03-01 00:00:00', 11, 1, 7, 27, '{{YEAR}}-03-15 00:00:00', 1, NULL,
   1, 0, 0, 1, 1, 8000, '', 0, 8000, 8000, 'N', '', NULL, NULL, NULL);

-- Import expenses of lot 1: a credit bill (and a cancelled one), a cash bill, a foreign payment.
INSERT INTO MrHd (ID, DelFlag, MrType, MrNo, MrDate, ImportLotNo, MrTAXNO, MrTaxDate, MrPrintTaxDate, Department, Project,
  PoHd, Vendor, TaxCode, TaxRate, Price_IE, DueDays, DueDate, Warehouse, Reference, Remark, NoTaxAmt, TaxAmt,
  TaxTotal, TaxCal, Total, DiscName1, DiscRate1, DiscAmt1, DiscName2, DiscRate2, DiscAmt2, DiscName3, DiscRate3,
  DiscAmt3, Clear, CanUseTax, PaidAmount, LotNo, Posted, Imported, BeginBalance, Transfer, Prepaid, PrepaidAmount) VALUES
  (1, 'N', 'S', '    MS0001', '{{YEAR}}-02-22 00:00:00', 1, 'INV-FW-1001', '{{YEAR}}-02-22 00:00:00', '{{YEAR}}-02-22 00:00:00', 8, NULL,
   0, 1, 1, 7, 'E', 30, '{{YEAR}}-03-24 00:00:00', NULL, '', 'ค่าระวางเรือล็อต 1', 0, 10000,
   700, 700, 10700, '', 0, 0, '', 0, 0, '', 0,
   0, 'N', 'Y', 0, NULL, 'N', 'N', 'N', 'N', NULL, 0),
  (2, 'Y', 'S', '    MS0002', '{{YEAR}}-02-23 00:00:00', 1, 'INV-FW-1002', '{{YEAR}}-02-23 00:00:00', '{{YEAR}}-02-23 00:00:00', 8, NULL,
   0, 1, 1, 7, 'E', 30, '{{YEAR}}-03-25 00:00:00', NULL, '', 'ยกเลิก ออกซ้ำ', 0, 933.64,
   65.36, 65.36, 999, '', 0, 0, '', 0, 0, '', 0,
   0, 'N', 'Y', 0, NULL, 'N', 'N', 'N', 'N', NULL, 0);

INSERT INTO MrDt (ID, MrHd, MrRecNo, MrDate, PoDt, Product, TaxCode, TaxRate, ProductUnits, Warehouse, LotNo, SerialNo,
  Quantity, QWeightSize, Fraction, Price, Cost, Discount, DiscountAmt, ProductAmount, Total, MemoLine, ProjectItemHd) VALUES
  (1, 1, 1, '{{YEAR}}-02-22 00:00:00', 0, 11, 1, 7, 27, NULL, NULL, NULL, 1, 0, 1, 10000, 10000, '', 0, 10000, 10000, '', NULL),
  (2, 2, 1, '{{YEAR}}-02-23 00:00:00', 0, 13, 1, 7, 29, NULL, NULL, NULL, 1, 0, 1, 933.64, 933.64, '', 0, 933.64, 933.64, '', NULL);

INSERT INTO PcHd (ID, DelFlag, PcType, PcNo, PcDate, ImportLotNo, PcTaxNo, PcTaxDate, PcPrintTaxDate, Department, Project,
  PoHd, Vendor, TaxCode, TaxRate, Price_IE, Warehouse, Reference, Remark, NoTaxAmt, TaxAmt, TaxTotal, TaxCal, Total,
  DiscName1, DiscRate1, DiscAmt1, DiscName2, DiscRate2, DiscAmt2, DiscName3, DiscRate3, DiscAmt3, LotNo, Posted,
  Imported, BeginBalance, Transfer, CanUseTax, Prepaid, PrepaidAmount) VALUES
  (1, 'N', 'S', 'CS{{YEAR}}-00001', '{{YEAR}}-02-25 00:00:00', 1, 'RC-5501', '{{YEAR}}-02-25 00:00:00', '{{YEAR}}-02-25 00:00:00', 8, NULL,
   0, 2, 1, 7, 'E', NULL, '', 'ค่าพิธีการศุลกากรล็อต 1', 0, 5000, 350, 350, 5350,
   '', 0, 0, '', 0, 0, '', 0, 0, NULL, 'N',
   'N', 'N', 'N', 'Y', NULL, 0);

INSERT INTO PcDt (ID, PcHd, PcRecNo, PcDate, PoDt, Product, TaxCode, TaxRate, ProductUnits, Warehouse, LotNo, SerialNo,
  Quantity, QWeightSize, Fraction, Price, Cost, Discount, DiscountAmt, ProductAmount, Total, MemoLine, ProjectItemHd) VALUES
  (1, 1, 1, '{{YEAR}}-02-25 00:00:00', 0, 12, 1, 7, 28, NULL, NULL, NULL, 1, 0, 1, 5000, 5000, '', 0, 5000, 5000, '', NULL);

INSERT INTO frmiscpdhd (id, delflag, frmiscpdno, frmiscpddate, frvendor, importlotno, currency, exchangerate, total, remark) VALUES
  (1, 'N', 'FM{{YEAR}}-0001', '{{YEAR}}-02-21 00:00:00', 1, 1, 2, 35.5, 2140, 'ค่าประกันภัยสินค้าล็อต 1');

INSERT INTO frmiscpddt (frmiscpdhd, recno, description, paidamount, taxamount) VALUES
  (1, 1, 'ค่าประกันภัยสินค้า', 2140, 140);
