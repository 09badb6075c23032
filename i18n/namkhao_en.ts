<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="th_TH">
<context>
    <name>ErrorReporting</name>
    <message>
        <source>ฐานข้อมูลถูกเครื่องอื่นใช้งานอยู่นานเกินไป</source>
        <translation>The database was kept busy by another workstation for too long.</translation>
    </message>
    <message>
        <source>พื้นที่เก็บฐานข้อมูลเต็ม</source>
        <translation>The disk of the database is full.</translation>
    </message>
    <message>
        <source>ฐานข้อมูลเปิดได้เพื่ออ่านอย่างเดียว บันทึกไม่ได้</source>
        <translation>The database can be read but not written.</translation>
    </message>
    <message>
        <source>ติดต่อฐานข้อมูลไม่ได้</source>
        <translation>The database cannot be reached.</translation>
    </message>
    <message>
        <source>ข้อมูลที่ต้องไม่ซ้ำกันมีอยู่ในฐานข้อมูลแล้ว</source>
        <translation>A value that must be unique is already stored.</translation>
    </message>
    <message>
        <source>ฐานข้อมูลไม่รับคำสั่งของโปรแกรม กรุณาแจ้งผู้ดูแลระบบ</source>
        <translation>The database refused the program&apos;s request; please tell the administrator.</translation>
    </message>
    <message>
        <source>
ยังไม่ได้บันทึกข้อมูล</source>
        <translation>
Nothing was saved.</translation>
    </message>
    <message>
        <source>เซิร์ฟเวอร์ฐานข้อมูลรับการเชื่อมต่อเพิ่มไม่ได้ เพราะมีการเชื่อมต่อครบจำนวนที่ตั้งไว้แล้ว
กรุณาลองใหม่อีกครั้ง หรือแจ้งผู้ดูแลระบบ</source>
        <translation>The database server takes no more connections: all its connection slots are in use.
Please try again, or tell the administrator.</translation>
    </message>
</context>
<context>
    <name>FormRegistry</name>
    <message>
        <source>นำเข้าสินค้าจากต่างประเทศ</source>
        <translation>Import of Goods</translation>
    </message>
    <message>
        <source>บิลค้างจ่ายต่างประเทศยกมาจากปีก่อน</source>
        <translation>Foreign Bills Brought Forward</translation>
    </message>
</context>
<context>
    <name>ImportCostCalc</name>
    <message>
        <source>มูลค่าสินค้าเป็นเงินบาทของ Lot นี้เป็น 0 จึงเฉลี่ยค่าใช้จ่ายตามจำนวน</source>
        <translation>The lot&apos;s goods value in baht is 0, so expenses are spread by quantity.</translation>
    </message>
    <message>
        <source>มูลค่าและจำนวนสินค้าของ Lot นี้เป็น 0 จึงไม่ได้เฉลี่ยค่าใช้จ่าย %1 บาท</source>
        <translation>The lot&apos;s goods value and quantity are 0, so expenses of %1 baht are not spread.</translation>
    </message>
    <message>
        <source>มูลค่าสินค้า (บาท)</source>
        <translation>Baht value</translation>
    </message>
    <message>
        <source>จำนวนในหน่วยสต๊อก</source>
        <translation>Quantity in stock unit</translation>
    </message>
    <message>
        <source>น้ำหนักสุทธิ</source>
        <translation>Net weight</translation>
    </message>
    <message>
        <source>น้ำหนักรวม</source>
        <translation>Gross weight</translation>
    </message>
    <message>
        <source>ปริมาตร</source>
        <translation>Volume</translation>
    </message>
    <message>
        <source>เท่ากันทุกสินค้า</source>
        <translation>Equal per product</translation>
    </message>
    <message>
        <source>และอีก %1 รายการ</source>
        <translation>and %1 more</translation>
    </message>
    <message>
        <source>ปันส่วนค่าใช้จ่ายตาม%1ไม่ได้ สินค้าต่อไปนี้ไม่มีข้อมูล%1
%2</source>
        <translation>Expenses cannot be split by %1: these products have no %1
%2</translation>
    </message>
    <message>
        <source>ค่าใช้จ่ายเงินเชื่อ</source>
        <translation>Expense on credit</translation>
    </message>
    <message>
        <source>ค่าใช้จ่ายเงินสด</source>
        <translation>Expense in cash</translation>
    </message>
    <message>
        <source>จ่ายเบ็ดเตล็ดต่างประเทศ</source>
        <translation>Foreign payment</translation>
    </message>
</context>
<context>
    <name>ImportCostChart</name>
    <message>
        <source>รวมเงิน(บาท)</source>
        <translation>Goods value (baht)</translation>
    </message>
    <message>
        <source>อากร</source>
        <translation>Duty</translation>
    </message>
    <message>
        <source>ค่าใช้จ่าย</source>
        <translation>Expenses</translation>
    </message>
    <message>
        <source>ส่วนประกอบต้นทุนของสินค้าแต่ละรายการ (บาท)   ปันส่วนค่าใช้จ่ายตาม</source>
        <translation>Make-up of each product&apos;s landed cost (baht), expenses split by </translation>
    </message>
</context>
<context>
    <name>ImportCostDocuments</name>
    <message>
        <source>ประเภท</source>
        <translation>Kind</translation>
    </message>
    <message>
        <source>เลขที่</source>
        <translation>Number</translation>
    </message>
    <message>
        <source>วันที่</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>ผู้จำหน่าย</source>
        <translation>Vendor</translation>
    </message>
    <message>
        <source>ยอดที่นับเป็นต้นทุน</source>
        <translation>Amount counted</translation>
    </message>
    <message>
        <source>ภาษีซื้อที่ไม่นับ</source>
        <translation>VAT left out</translation>
    </message>
    <message>
        <source>รวมค่าใช้จ่ายของล็อต</source>
        <translation>Lot expenses</translation>
    </message>
    <message>
        <source>นับค่าสินค้าและบริการหลังหักส่วนลด ก่อนหักมัดจำ ไม่รวมภาษีซื้อที่ขอคืนได้ (รวมภาษีเมื่อขอคืนไม่ได้)</source>
        <translation>Counted: goods and services after discounts, before any deposit, without the VAT the company reclaims (with it when it cannot be reclaimed).</translation>
    </message>
    <message>
        <source>เอกสารค่าใช้จ่ายของล็อต</source>
        <translation>Expense documents of the lot</translation>
    </message>
</context>
<context>
    <name>ImportCostModel</name>
    <message>
        <source>รหัส</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>ชื่อสินค้า</source>
        <translation>Product</translation>
    </message>
    <message>
        <source>จำนวน</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>ราคา/หน่วย(</source>
        <translation>Price/unit (</translation>
    </message>
    <message>
        <source>รวมเงิน(</source>
        <translation>Total (</translation>
    </message>
    <message>
        <source>รวมเงิน(บาท)</source>
        <translation>Goods value (baht)</translation>
    </message>
    <message>
        <source>อากร</source>
        <translation>Duty</translation>
    </message>
    <message>
        <source>ค่าใช้จ่าย</source>
        <translation>Expenses</translation>
    </message>
    <message>
        <source>ราคารวม</source>
        <translation>Total cost</translation>
    </message>
    <message>
        <source>ต้นทุน/หน่วย(บาท)</source>
        <translation>Cost/unit (baht)</translation>
    </message>
    <message>
        <source>ต้นทุน/หน่วย ตาม</source>
        <translation>Unit cost by </translation>
    </message>
    <message>
        <source>ผลต่าง</source>
        <translation>Difference</translation>
    </message>
</context>
<context>
    <name>InboundRules</name>
    <message>
        <source>รายการที่ %1 %2</source>
        <translation>Line %1 %2</translation>
    </message>
    <message>
        <source>%1 รับเกินจำนวนค้างรับของใบสั่งซื้อ %2 อยู่ %3</source>
        <translation>%1 receives %3 more than order %2 has outstanding.</translation>
    </message>
    <message>
        <source>
ต้องการรับสินค้าเกินจำนวนที่สั่งหรือไม่ ?</source>
        <translation>
Receive more than was ordered?</translation>
    </message>
    <message>
        <source>%1 : ยอดค้างรับของใบสั่งซื้อ %2 เปลี่ยนไป เครื่องอื่นรับสินค้าของใบสั่งซื้อนี้ไปแล้ว ค้างรับขณะนี้ %3
ยังไม่ได้บันทึกข้อมูล กรุณาแก้จำนวน หรืออ้างใบสั่งซื้อใหม่ แล้วบันทึกอีกครั้ง</source>
        <translation>%1: the outstanding quantity of order %2 has changed; another workstation has received goods of it. Now outstanding: %3
Nothing was saved. Correct the quantity or take the order over again (Ref PO), then save again.</translation>
    </message>
    <message>
        <source>
ยังไม่ได้บันทึกข้อมูล</source>
        <translation>
Nothing was saved.</translation>
    </message>
    <message>
        <source>รายการสั่งซื้อรับหมดแล้ว</source>
        <translation>The order has been received in full.</translation>
    </message>
    <message>
        <source>ป้อนข้อมูล ในรายการสินค้าไม่ครบถ้วน</source>
        <translation>A product line is not complete</translation>
    </message>
    <message>
        <source>ท่านยังไม่ได้ป้อน Import Lot No</source>
        <translation>The import lot number is missing</translation>
    </message>
    <message>
        <source>ป้อนข้อมูลอากรไม่ถูกต้อง</source>
        <translation>The duty entries are not correct</translation>
    </message>
    <message>
        <source>รายการที่ %1 ไม่มีกลุ่มอากรลำดับที่ %2</source>
        <translation>Line %1: there is no duty group %2</translation>
    </message>
</context>
<context>
    <name>LandedCostCompare</name>
    <message>
        <source>รหัส</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>ชื่อสินค้า</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>ใบสั่งซื้อ</source>
        <translation>Orders</translation>
    </message>
    <message>
        <source>จำนวน</source>
        <translation>Quantity</translation>
    </message>
    <message>
        <source>ประมาณการ/หน่วย</source>
        <translation>Estimated/unit</translation>
    </message>
    <message>
        <source>จริง/หน่วย</source>
        <translation>Actual/unit</translation>
    </message>
    <message>
        <source>ส่วนต่าง(บาท)</source>
        <translation>Difference (baht)</translation>
    </message>
    <message>
        <source>ส่วนต่าง %</source>
        <translation>Difference %</translation>
    </message>
    <message>
        <source>จากอัตราแลกเปลี่ยน</source>
        <translation>Exchange rate</translation>
    </message>
    <message>
        <source>จากราคาสินค้า</source>
        <translation>Goods price</translation>
    </message>
    <message>
        <source>จากอากร</source>
        <translation>Duty</translation>
    </message>
    <message>
        <source>จากค่าใช้จ่าย</source>
        <translation>Expenses</translation>
    </message>
    <message>
        <source>หมายเหตุ</source>
        <translation>Note</translation>
    </message>
    <message>
        <source>ไม่ได้มาจากใบสั่งซื้อที่มีประมาณการ</source>
        <translation>Not from an estimated order</translation>
    </message>
    <message>
        <source>ไม่มีจำนวน เทียบไม่ได้</source>
        <translation>No quantity: nothing to compare</translation>
    </message>
    <message>
        <source>ประมาณการไม่รวมอากร</source>
        <translation>The estimate had no duty</translation>
    </message>
    <message>
        <source>ประมาณการเป็น 0</source>
        <translation>The estimate was 0</translation>
    </message>
    <message>
        <source>ใบนำเข้าของล็อตนี้ไม่ได้รับสินค้าตามใบสั่งซื้อที่มีต้นทุนประมาณการ จึงไม่มีประมาณการให้เทียบ</source>
        <translation>No import of this lot took over an order with an estimated landed cost: there is no estimate to compare.</translation>
    </message>
    <message>
        <source>ส่วนต่างแยกทีละขั้นตามลำดับ อัตราแลกเปลี่ยน ราคาสินค้า อากร ค่าใช้จ่าย โดยแทนค่าประมาณการด้วยค่าจริงทีละค่า ผลรวมเท่ากับส่วนต่าง</source>
        <translation>The difference is split step by step, exchange rate, goods price, duty, expenses, each step putting the actual figure in place of the estimated one; the parts add up to the difference.</translation>
    </message>
    <message>
        <source>  ประมาณการ</source>
        <translation>  estimated</translation>
    </message>
    <message>
        <source>จริง</source>
        <translation>actual</translation>
    </message>
    <message>
        <source>ต้นทุนต่อหน่วยประมาณการเทียบจริง (บาท) แท่งจางคือประมาณการ</source>
        <translation>Estimated against actual cost per unit (baht), the faded bar is the estimate</translation>
    </message>
    <message>
        <source>ต้นทุนประมาณการเทียบจริงต่อหน่วย (บาท)</source>
        <translation>Estimated against actual landed cost per unit (baht)</translation>
    </message>
</context>
<context>
    <name>PeriodGuard</name>
    <message>
        <source>รอบบัญชีนี้ถูกผ่านรายการบัญชีไปแล้ว ไม่สามารถเพิ่มเติม หรือ แก้ไขได้</source>
        <translation>This accounting period has been posted; nothing can be added or changed in it.</translation>
    </message>
</context>
<context>
    <name>PickList</name>
    <message>
        <source>เลือก</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>ไม่เลือก</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>PurchaseLineEntry</name>
    <message>
        <source>คงเหลือปัจจุบัน </source>
        <translation>On hand now </translation>
    </message>
</context>
<context>
    <name>PurchaseTotals</name>
    <message>
        <source>รายการสินค้า มีแบบ มีภาษี และ ไม่มีภาษี<byte value="xd"/>ไม่สามารถกำหนดส่วนลดท้ายบิลได้<byte value="xd"/>โปรแกรมจะกำหนดให้ส่วนลดท้ายบิลเป็น 0</source>
        <translation>The lines mix taxed and untaxed goods.<byte value="xd"/>An end-of-bill discount cannot be given.<byte value="xd"/>The end-of-bill discounts are set to 0.</translation>
    </message>
    <message>
        <source>ปรับปรุงภาษี</source>
        <translation>Tax adjusted</translation>
    </message>
    <message>
        <source>ปรับปรุงภาษี (</source>
        <translation>Tax adjusted (</translation>
    </message>
    <message>
        <source>ยอดหักมัดจำเกินมูลค่าสินค้า<byte value="xd"/>หักมัดจำได้ไม่เกิน %1</source>
        <translation>The deposit deducted is more than the goods it comes off.<byte value="xd"/>At most %1 can be deducted.</translation>
    </message>
    <message>
        <source>รายการที่ %1: ส่วนลด &quot;%2&quot; ไม่ถูกต้อง: &quot;%3&quot; ไม่ใช่ตัวเลข</source>
        <translation>Line %1: the discount &quot;%2&quot; cannot be read: &quot;%3&quot; is not a number</translation>
    </message>
</context>
<context>
    <name>ReceiptRules</name>
    <message>
        <source>ยังไม่ได้ป้อนรหัสเจ้าหนี้</source>
        <translation>The vendor code is missing</translation>
    </message>
    <message>
        <source>สินค้า : </source>
        <translation>Product: </translation>
    </message>
    <message>
        <source> ป้อนข้อมูลไม่ครบ</source>
        <translation> is not complete</translation>
    </message>
    <message>
        <source> ยังไม่ได้ป้อน Serial</source>
        <translation> has no serial number</translation>
    </message>
    <message>
        <source>บันทึกข้อมูลไม่ครบถ้วน !</source>
        <translation>The document is not complete!</translation>
    </message>
</context>
<context>
    <name>ReportPreview</name>
    <message>
        <source>Preview</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>First page</source>
        <translation>First page</translation>
    </message>
    <message>
        <source>Previous page</source>
        <translation>Previous page</translation>
    </message>
    <message>
        <source>Next page</source>
        <translation>Next page</translation>
    </message>
    <message>
        <source>Last page</source>
        <translation>Last page</translation>
    </message>
    <message>
        <source>ความกว้างหน้า</source>
        <translation>Page width</translation>
    </message>
    <message>
        <source>ขยาย</source>
        <translation>Zoom in</translation>
    </message>
    <message>
        <source>ย่อ</source>
        <translation>Zoom out</translation>
    </message>
    <message>
        <source>ค้นหา</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>ค้นหาข้อความ (Find)</source>
        <translation>Find text</translation>
    </message>
    <message>
        <source>เปิด</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>เปิดรายงานที่บันทึกไว้ (Open)</source>
        <translation>Open a saved report</translation>
    </message>
    <message>
        <source>บันทึก</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>บันทึกหรือส่งออก PDF/RTF/CSV (Save)</source>
        <translation>Save or export PDF/RTF/CSV</translation>
    </message>
    <message>
        <source>พิมพ์</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>พิมพ์ทางเครื่องพิมพ์ (Print)</source>
        <translation>Print on the printer</translation>
    </message>
    <message>
        <source>ตั้งค่าหน้ากระดาษ</source>
        <translation>Page setup</translation>
    </message>
    <message>
        <source>วิธีใช้</source>
        <translation>Help</translation>
    </message>
    <message>
        <source>ออก</source>
        <translation>Exit</translation>
    </message>
    <message>
        <source>ปิดหน้าจอ (Exit)</source>
        <translation>Close (Exit)</translation>
    </message>
    <message>
        <source>หน้า %1 / %2</source>
        <translation>Page %1 / %2</translation>
    </message>
    <message>
        <source>เปิดรายงาน</source>
        <translation>Open report</translation>
    </message>
    <message>
        <source>บันทึกรายงาน</source>
        <translation>Save report</translation>
    </message>
    <message>
        <source>PgUp / PgDn: หน้าก่อน / หน้าถัดไป
Home / End: หน้าแรก / หน้าสุดท้าย
+ / -: ขยาย / ย่อ
Ctrl+F: ค้นหา
Esc: ออก</source>
        <translation>PgUp / PgDn: previous / next page
Home / End: first / last page
+ / -: zoom in / out
Ctrl+F: find
Esc: exit</translation>
    </message>
</context>
<context>
    <name>Rounding</name>
    <message>
        <source>ส่วนลด &quot;%1&quot; ไม่ถูกต้อง: &quot;%2&quot; ไม่ใช่ตัวเลข</source>
        <translation>The discount &quot;%1&quot; cannot be read: &quot;%2&quot; is not a number</translation>
    </message>
</context>
<context>
    <name>TDM</name>
    <message>
        <source>ไม่พบรหัสเอกสาร </source>
        <translation>Document code not found: </translation>
    </message>
    <message>
        <source>ปี </source>
        <translation>Year </translation>
    </message>
    <message>
        <source>เลขที่เอกสาร %1 มีอยู่แล้ว กรุณาใช้เลขที่อื่น</source>
        <translation>Document number %1 is already in use; please use another number.</translation>
    </message>
    <message>
        <source>ยังไม่ได้บันทึกข้อมูล</source>
        <translation>Nothing was saved.</translation>
    </message>
    <message>
        <source>การเชื่อมต่อฐานข้อมูลขาดระหว่างบันทึก จึงไม่ทราบว่าบันทึกสำเร็จหรือไม่
กด F10 บันทึกอีกครั้ง เอกสารที่บันทึกไปแล้วจะไม่ถูกบันทึกซ้ำ</source>
        <translation>The connection to the database was lost while saving, so it is not known whether the document was saved.
Press F10 to save again: a document that was already saved will not be saved twice.</translation>
    </message>
</context>
<context>
    <name>TDMConfig</name>
    <message>
        <source>จัดเก็บข้อมูล ?</source>
        <translation>Save Data ?</translation>
    </message>
    <message>
        <source>ลบข้อมูล ?</source>
        <translation>Delete Data ?</translation>
    </message>
</context>
<context>
    <name>TDataGrid</name>
    <message>
        <source>ลบรายการ ?</source>
        <translation>Delete the line?</translation>
    </message>
</context>
<context>
    <name>TDataGridDelegate</name>
    <message>
        <source>&apos;%1&apos; ไม่ใช่ค่าที่ถูกต้องสำหรับ %2</source>
        <translation>&apos;%1&apos; is not a valid value for %2</translation>
    </message>
</context>
<context>
    <name>TDbDateEdit</name>
    <message>
        <source>&apos;%1&apos; ไม่ใช่วันที่ที่ถูกต้อง (วว/ดด/ปปปป)</source>
        <translation>&apos;%1&apos; is not a valid date (dd/mm/yyyy)</translation>
    </message>
</context>
<context>
    <name>TDbEdit</name>
    <message>
        <source>&apos;%1&apos; ไม่ใช่ค่าที่ถูกต้อง</source>
        <translation>&apos;%1&apos; is not a valid value</translation>
    </message>
</context>
<context>
    <name>TDbNumberEdit</name>
    <message>
        <source>&apos;%1&apos; ไม่ใช่ตัวเลขที่ถูกต้อง</source>
        <translation>&apos;%1&apos; is not a valid number</translation>
    </message>
</context>
<context>
    <name>TDmProduct</name>
    <message>
        <source>LotNo หมดอายุแล้ว</source>
        <translation>The lot has expired</translation>
    </message>
</context>
<context>
    <name>TDmVendor</name>
    <message>
        <source>ยอดเกินวงเงินเครดิต<byte value="xd"/><byte value="xd"/>บริษัทมีเครดิตคงเหลือ </source>
        <translation>The amount is over the credit limit.<byte value="xd"/><byte value="xd"/>Credit left: </translation>
    </message>
</context>
<context>
    <name>TF_SearchMisc</name>
    <message>
        <source>รายละเอียด</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>รหัส</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>หาเต็มคำ</source>
        <translation>Whole word</translation>
    </message>
    <message>
        <source>เลือก</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>ไม่เลือก</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TF_SearchWareHouse</name>
    <message>
        <source>ค้นหาคลังสินค้า</source>
        <translation>Searching WareHouse</translation>
    </message>
    <message>
        <source>เลือก</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>ไม่เลือก</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>รหัสคลังสินค้า</source>
        <translation>WH Code</translation>
    </message>
    <message>
        <source>ชื่อคลังสินค้า</source>
        <translation>WareHouse Description</translation>
    </message>
</context>
<context>
    <name>TFaGetCustomerShip</name>
    <message>
        <source>ส่งสินค้าตามที่อยู่ด้านล่าง</source>
        <translation>Deliver to the address below</translation>
    </message>
    <message>
        <source>ที่อยู่</source>
        <translation>Address</translation>
    </message>
    <message>
        <source>รหัสไปรษณีย์</source>
        <translation>Postcode</translation>
    </message>
    <message>
        <source>โทรศัพท์</source>
        <translation>Telephone</translation>
    </message>
</context>
<context>
    <name>TFaGetDate</name>
    <message>
        <source>วันที่</source>
        <translation>Date</translation>
    </message>
</context>
<context>
    <name>TFaGetDepartment</name>
    <message>
        <source>แผนก</source>
        <translation>Department</translation>
    </message>
    <message>
        <source>ค้นหา แผนก</source>
        <translation>Search departments</translation>
    </message>
</context>
<context>
    <name>TFaGetDocNo</name>
    <message>
        <source>เลขที่</source>
        <translation>No</translation>
    </message>
    <message>
        <source>ค้นหาเลขที่เอกสาร</source>
        <translation>Search document numbers</translation>
    </message>
    <message>
        <source>เอกสารถูกยกเลิกแล้ว</source>
        <translation>Document Was Deleted</translation>
    </message>
    <message>
        <source>เอกสารถูกปิดบัญชีแล้ว</source>
        <translation>The document has been posted</translation>
    </message>
    <message>
        <source>เอกสารถูกถ่ายโอนมาจากระบบอื่น</source>
        <translation>The document was transferred from another system</translation>
    </message>
</context>
<context>
    <name>TFaGetFrVendor</name>
    <message>
        <source>เจ้าหนี้</source>
        <translation>Vendor</translation>
    </message>
    <message>
        <source>ค้นหารหัสเจ้าหนี้ต่างประเทศ</source>
        <translation>Search foreign vendors</translation>
    </message>
</context>
<context>
    <name>TFaGetImportLotNo</name>
    <message>
        <source>ค้นหา Lot นำเข้าต่างประเทศ</source>
        <translation>Search import lots</translation>
    </message>
    <message>
        <source>ไม่พบ Lot นำเข้า %1<byte value="xd"/>ต้องการสร้าง Lot ใหม่ ?</source>
        <translation>Import lot %1 does not exist.<byte value="xd"/>Create it?</translation>
    </message>
    <message>
        <source>ค้นหา </source>
        <translation>Search </translation>
    </message>
</context>
<context>
    <name>TFaGetMisc</name>
    <message>
        <source>ค้นหา</source>
        <translation>Search</translation>
    </message>
</context>
<context>
    <name>TFaGetProject</name>
    <message>
        <source>รหัสโครงการ</source>
        <translation>Project</translation>
    </message>
</context>
<context>
    <name>TFaGetProvince</name>
    <message>
        <source>จังหวัด</source>
        <translation>Province</translation>
    </message>
    <message>
        <source>ค้นหา รายชื่อจังหวัด</source>
        <translation>Search provinces</translation>
    </message>
</context>
<context>
    <name>TFaGetRemark</name>
    <message>
        <source>หมายเหตุ</source>
        <translation>Remark</translation>
    </message>
    <message>
        <source>ค้นหาหมายเหตุ</source>
        <translation>Search remarks</translation>
    </message>
</context>
<context>
    <name>TFaGetTaxCode</name>
    <message>
        <source>อัตราภาษี</source>
        <translation>Tax</translation>
    </message>
</context>
<context>
    <name>TFaGetVendor</name>
    <message>
        <source>รหัสผู้ขาย</source>
        <translation>Vendor</translation>
    </message>
    <message>
        <source>ค้นหารหัสผู้ขาย</source>
        <translation>Search vendor codes</translation>
    </message>
    <message>
        <source>ระงับการใช้งาน</source>
        <translation>Blocked</translation>
    </message>
</context>
<context>
    <name>TFaGetWarehouse</name>
    <message>
        <source>คลังสินค้า</source>
        <translation>WH</translation>
    </message>
    <message>
        <source>ค้นหารหัสคลังสินค้า</source>
        <translation>Search warehouse codes</translation>
    </message>
</context>
<context>
    <name>TFaPoEstimate</name>
    <message>
        <source>ต้นทุนประมาณการ (&amp;2)</source>
        <translation>Estimated landed cost (&amp;2)</translation>
    </message>
    <message>
        <source>อัตราแลกเปลี่ยนที่คาดไว้</source>
        <translation>Expected exchange rate</translation>
    </message>
    <message>
        <source>ค่าใช้จ่ายที่คาดไว้ (% ของมูลค่าสินค้า)</source>
        <translation>Expected expenses (% of goods value)</translation>
    </message>
    <message>
        <source>ใช้ค่าตั้งต้นล่าสุด (F4)</source>
        <translation>Latest defaults (F4)</translation>
    </message>
    <message>
        <source>จากใบนำเข้า %1 วันที่ %2</source>
        <translation>From import document %1 of %2</translation>
    </message>
    <message>
        <source>ป้อนเอง</source>
        <translation>Typed</translation>
    </message>
    <message>
        <source>ยังไม่เคยนำเข้าในสกุลเงิน %1 กรุณาป้อนอัตราที่คาดไว้</source>
        <translation>Nothing imported in %1 yet: type the expected rate</translation>
    </message>
    <message>
        <source>เฉลี่ยจากล็อตล่าสุดของผู้ขายนี้: %1</source>
        <translation>Average of the vendor&apos;s latest lots: %1</translation>
    </message>
    <message>
        <source>เฉลี่ยจากล็อตล่าสุดของทุกผู้ขาย: %1</source>
        <translation>Average of the latest lots of all vendors: %1</translation>
    </message>
    <message>
        <source>ผู้ขายนี้ยังไม่มีล็อตที่คิดต้นทุนแล้ว </source>
        <translation>The vendor has no costed lot yet. </translation>
    </message>
    <message>
        <source>ยังไม่มีล็อตที่คิดต้นทุนแล้ว ไม่รวมค่าใช้จ่าย</source>
        <translation>No costed lot yet: no expenses counted</translation>
    </message>
    <message>
        <source>ล็อต %1</source>
        <translation>Lot %1</translation>
    </message>
    <message>
        <source>ไม่เคยนำเข้า ไม่รวมอากร</source>
        <translation>Never imported: no duty counted</translation>
    </message>
    <message>
        <source>ต้นทุนรวมโดยประมาณของใบสั่งซื้อ %1 บาท</source>
        <translation>Estimated landed cost of the order: %1 baht</translation>
    </message>
    <message>
        <source>ยังประมาณการไม่ได้ ไม่มีอัตราแลกเปลี่ยน</source>
        <translation>No estimate yet: there is no exchange rate</translation>
    </message>
    <message>
        <source>ประมาณการเมื่อ %1</source>
        <translation>Estimated on %1</translation>
    </message>
    <message>
        <source>ใบสั่งซื้อนี้บันทึกไว้โดยยังไม่มีประมาณการ ค่าที่แสดงเป็นค่าตั้งต้น ณ วันนี้ จะจัดเก็บเมื่อบันทึกใบสั่งซื้อ</source>
        <translation>This order was saved without an estimate: these are today&apos;s defaults, stored when the order is saved.</translation>
    </message>
    <message>
        <source>ฐานข้อมูลนี้ยังไม่มีตารางต้นทุนประมาณการ (ใช้คำสั่ง namkhao-db upgrade)</source>
        <translation>This database has no tables for estimates yet (run namkhao-db upgrade).</translation>
    </message>
    <message>
        <source>ใช้ค่าตั้งต้นล่าสุดแทนค่าที่ใช้อยู่ ?</source>
        <translation>Replace the values used by the latest defaults?</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ไม่ใช่ตัวเลข</source>
        <translation>&quot;%1&quot; is not a number</translation>
    </message>
    <message>
        <source>รหัสสินค้า</source>
        <translation>Item Code</translation>
    </message>
    <message>
        <source>ชื่อสินค้า</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>จำนวน</source>
        <translation>Qnty</translation>
    </message>
    <message>
        <source>หน่วย</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>รวมเงิน</source>
        <translation>Amount</translation>
    </message>
    <message>
        <source>มูลค่า(บาท)</source>
        <translation>Goods (baht)</translation>
    </message>
    <message>
        <source>อากร %</source>
        <translation>Duty %</translation>
    </message>
    <message>
        <source>ที่มาของอากร</source>
        <translation>Duty from</translation>
    </message>
    <message>
        <source>อากร(บาท)</source>
        <translation>Duty (baht)</translation>
    </message>
    <message>
        <source>ค่าใช้จ่าย</source>
        <translation>Expenses</translation>
    </message>
    <message>
        <source>ต้นทุนรวม</source>
        <translation>Landed</translation>
    </message>
    <message>
        <source>ต้นทุน/หน่วย</source>
        <translation>Cost/unit</translation>
    </message>
    <message>
        <source>รวมเงิน(%1)</source>
        <translation>Amount(%1)</translation>
    </message>
</context>
<context>
    <name>TFaPurchaseLines</name>
    <message>
        <source>ราคา</source>
        <translation>Price</translation>
    </message>
    <message>
        <source>ส่วนลด</source>
        <translation>Discount</translation>
    </message>
    <message>
        <source>ลด(บาท)</source>
        <translation>Disc(Baht)</translation>
    </message>
</context>
<context>
    <name>TFaPurchaseTotals</name>
    <message>
        <source>รายละเอียด</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>ส่วนลด(%)</source>
        <translation>Discount(%)</translation>
    </message>
    <message>
        <source>ส่วนลด(บาท)</source>
        <translation>Discount(Baht)</translation>
    </message>
    <message>
        <source>รวมส่วนลด</source>
        <translation>Total Discount</translation>
    </message>
    <message>
        <source>หักมัดจำ</source>
        <translation>Less Prepaid</translation>
    </message>
    <message>
        <source>รวมสินค้ามีภาษี</source>
        <translation>Product Tax</translation>
    </message>
    <message>
        <source>รวมสินค้าไม่มีภาษี</source>
        <translation>Product No Tax</translation>
    </message>
    <message>
        <source>ยอดรวม</source>
        <translation>Amount</translation>
    </message>
    <message>
        <source>ภาษี</source>
        <translation>Tax</translation>
    </message>
    <message>
        <source>รวมเงิน</source>
        <translation>Total</translation>
    </message>
</context>
<context>
    <name>TFaSelectProdAttr</name>
    <message>
        <source>คุณสมบัติสินค้า</source>
        <translation>Product attribute</translation>
    </message>
    <message>
        <source>เริ่มต้น</source>
        <translation>From</translation>
    </message>
    <message>
        <source>สิ้นสุด</source>
        <translation>To</translation>
    </message>
</context>
<context>
    <name>TFaSelectVendorAttr</name>
    <message>
        <source>คุณสมบัติ</source>
        <translation>Attribute</translation>
    </message>
</context>
<context>
    <name>TFrDocPrintForm</name>
    <message>
        <source>พิมพ์เอกสาร</source>
        <translation>Print Document</translation>
    </message>
    <message>
        <source>พิมพ์ใบบันทึกรายการบัญชี</source>
        <translation>Print Journal Voucher</translation>
    </message>
    <message>
        <source>กรุณาเลือกฟอร์มที่ต้องการพิมพ์</source>
        <translation>Choose the form to print</translation>
    </message>
    <message>
        <source>แสดงชื่อฟอร์ม.frf</source>
        <translation>Show the .frf file name</translation>
    </message>
    <message>
        <source>แสดง</source>
        <translation>Preview</translation>
    </message>
    <message>
        <source>แสดงเอกสารบนจอภาพ</source>
        <translation>Display Document To Screen</translation>
    </message>
    <message>
        <source>พิมพ์</source>
        <translation>Print</translation>
    </message>
    <message>
        <source>พิมพ์เอกสารทางเครื่องพิมพ์</source>
        <translation>Print Document To Printer</translation>
    </message>
    <message>
        <source>กำหนดเครื่องพิมพ์</source>
        <translation>Set Printer</translation>
    </message>
    <message>
        <source>กำหนดเครื่องพิมพ์</source>
        <comment>hint</comment>
        <translation>Setup Printer</translation>
    </message>
    <message>
        <source>ไม่พิมพ์</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>ยกเลิก หรือ ไม่ต้องการพิมพ์</source>
        <translation>Cancel or don&apos;t want to print</translation>
    </message>
    <message>
        <source>ยังไม่ได้กำหนดรูปแบบเอกสาร เพื่อพิมพ์</source>
        <translation>No document layout is set up for printing</translation>
    </message>
    <message>
        <source>ไม่สามารถพิมพ์ได้ (%1)</source>
        <translation>Cannot print (%1)</translation>
    </message>
    <message>
        <source>ไม่สามารถพิมพ์ลงแฟ้ม %1 ได้</source>
        <translation>The document could not be written to %1.</translation>
    </message>
    <message>
        <source>พิมพ์ลงแฟ้ม PDF</source>
        <translation>Print to PDF file</translation>
    </message>
</context>
<context>
    <name>TFrDocPrintFormGLAuto</name>
    <message>
        <source>พิมพ์ใบบันทึกรายการบัญชี</source>
        <translation>Print Journal Voucher</translation>
    </message>
    <message>
        <source>ไม่พบฟอร์ม บันทึกบัญชี</source>
        <translation>The journal voucher form is not found</translation>
    </message>
    <message>
        <source>เอกสารเลขที่ %1 ไม่มีใบบันทึกรายการบัญชี</source>
        <translation>Document %1 has no accounting voucher</translation>
    </message>
</context>
<context>
    <name>TFrDocument</name>
    <message>
        <source>จัดเก็บข้อมูล ?</source>
        <translation>Save Data ?</translation>
    </message>
    <message>
        <source>ลบข้อมูล ?</source>
        <translation>Delete Data ?</translation>
    </message>
    <message>
        <source>เอกสารเลขที่ %1 ถูกบันทึกจากเครื่องอื่นหลังจากที่ท่านเปิดเอกสารนี้<byte value="xd"/>ยังไม่ได้บันทึกข้อมูล สิ่งที่ท่านป้อนยังอยู่บนจอ</source>
        <translation>Document %1 was saved by another workstation after you opened it.<byte value="xd"/>Nothing was saved; what you typed is still on the screen.</translation>
    </message>
    <message>
        <source>เปิดเอกสารที่บันทึกไว้ใหม่ ? (สิ่งที่ท่านป้อนจะหายไป)</source>
        <translation>Open the stored document again? (What you typed will be dropped.)</translation>
    </message>
    <message>
        <source>เอกสารนี้มีการแก้ไขที่ยังไม่ได้บันทึก<byte value="xd"/>ต้องการบันทึกก่อนหรือไม่ ?</source>
        <translation>This document has changes that are not saved.<byte value="xd"/>Save them first?</translation>
    </message>
    <message>
        <source>บันทึก</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>ไม่บันทึก</source>
        <translation>Don&apos;t save</translation>
    </message>
    <message>
        <source>กลับไปแก้ไข</source>
        <translation>Go back</translation>
    </message>
</context>
<context>
    <name>TFrFrPoTran</name>
    <message>
        <source>เจ้าหนี้</source>
        <translation>Vendor</translation>
    </message>
    <message>
        <source>สกุลเงิน</source>
        <translation>Currency</translation>
    </message>
    <message>
        <source>อื่น ๆ</source>
        <translation>Other</translation>
    </message>
    <message>
        <source>สั่งซื้อจากต่างประเทศ</source>
        <translation>Foreign Purchase Order</translation>
    </message>
</context>
<context>
    <name>TFrFrame</name>
    <message>
        <source>ออกจากโปรแกรม ?</source>
        <translation>Exit Program ?</translation>
    </message>
    <message>
        <source>บันทึกแล้ว เลขที่เอกสาร %1</source>
        <translation>Saved: document number %1</translation>
    </message>
</context>
<context>
    <name>TFrHdDtTransaction</name>
    <message>
        <source>รายละเอียดเอกสาร</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>ลบรายการ</source>
        <translation>Delete Line</translation>
    </message>
</context>
<context>
    <name>TFrImExcTran</name>
    <message>
        <source>ค่าใช้จ่ายในการนำเข้าเงินสด</source>
        <translation>Import Expenses in Cash</translation>
    </message>
</context>
<context>
    <name>TFrImExpTran</name>
    <message>
        <source>ค่าใช้จ่ายในการนำเข้าเงินเชื่อ</source>
        <translation>Import Expenses on Credit</translation>
    </message>
</context>
<context>
    <name>TFrImportCost</name>
    <message>
        <source>แสดงต้นทุน</source>
        <translation>Show Cost</translation>
    </message>
    <message>
        <source>ปันส่วนค่าใช้จ่ายตาม (&amp;B)</source>
        <translation>Split Expenses &amp;By</translation>
    </message>
    <message>
        <source>ต้นทุนการนำเข้า</source>
        <translation>Import Cost</translation>
    </message>
</context>
<context>
    <name>TFrInbound</name>
    <message>
        <source>นำเข้าสินค้าจากต่างประเทศ</source>
        <translation>Import of Goods</translation>
    </message>
    <message>
        <source>เลขที่ใบขน</source>
        <translation>B/L No</translation>
    </message>
    <message>
        <source>สกุลเงิน</source>
        <translation>Currency</translation>
    </message>
    <message>
        <source>อัตราแลกเปลี่ยน</source>
        <translation>Exchange Rate</translation>
    </message>
    <message>
        <source>อ้างบิลสั่งชื้ออื่นๆ</source>
        <translation>Ref PO</translation>
    </message>
    <message>
        <source>อากร</source>
        <translation>Duty</translation>
    </message>
    <message>
        <source>รวมเงิน</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>เลขที่</source>
        <translation>Received No.</translation>
    </message>
    <message>
        <source>วันที่</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>เจ้าหนี้</source>
        <translation>Vendor</translation>
    </message>
    <message>
        <source>คลังสินค้า</source>
        <translation>WH</translation>
    </message>
    <message>
        <source>หมายเหตุ</source>
        <translation>Remark</translation>
    </message>
    <message>
        <source>ลบรายการ</source>
        <translation>Delete Line</translation>
    </message>
    <message>
        <source>ท่านไม่ได้ป้อนเลขที่
ขณะนี้อยู่ในระบบที่ต้องกำหนดเลขเอง</source>
        <translation>The document number is missing.
Numbers are typed by hand in this company.</translation>
    </message>
    <message>
        <source>รหัสสินค้า</source>
        <translation>Item Code</translation>
    </message>
    <message>
        <source>ชื่อสินค้า</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>คลัง</source>
        <translation>WH</translation>
    </message>
    <message>
        <source>หน่วยนับ</source>
        <translation>Units</translation>
    </message>
    <message>
        <source>จำนวน</source>
        <translation>Qnty</translation>
    </message>
    <message>
        <source>ลำดับ</source>
        <translation>TypeNo</translation>
    </message>
    <message>
        <source>จำนวนเงิน</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>ไม่พบรหัสสินค้า : </source>
        <translation>Item code not found : </translation>
    </message>
    <message>
        <source>เอกสารที่เลือกได้ถูกทำการการเลือกไว้ก่อนหน้านี้แล้ว !</source>
        <translation>The chosen document has already been taken!</translation>
    </message>
</context>
<context>
    <name>TFrInboundBegin</name>
    <message>
        <source>บิลค้างจ่ายต่างประเทศยกมาจากปีก่อน</source>
        <translation>Foreign Bills Brought Forward</translation>
    </message>
    <message>
        <source>รวมเงิน</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>ท่านยังไม่ได้เลขที่เอกสาร
กรุณาป้อนเลขที่เอกสาร</source>
        <translation>The document number is missing.
Please type the document number.</translation>
    </message>
</context>
<context>
    <name>TFrLastPriceAll</name>
    <message>
        <source>ราคาล่าสุดไม่ระบุผู้ขาย !</source>
        <translation>Last prices, all vendors</translation>
    </message>
    <message>
        <source>วันที่ชื้อ</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>เลขที่ใบชื้อ</source>
        <translation>Purchase No.</translation>
    </message>
    <message>
        <source>ผู้จำหน่าย</source>
        <translation>Vendor</translation>
    </message>
    <message>
        <source>ราคาชื้อ</source>
        <translation>Price</translation>
    </message>
</context>
<context>
    <name>TFrLastPriceListVendor</name>
    <message>
        <source>ราคาชื้อล่าสุด !</source>
        <translation>Last purchase prices</translation>
    </message>
    <message>
        <source>เลขที่ใบชื้อ</source>
        <translation>Purchase No.</translation>
    </message>
    <message>
        <source>วันที่ชื้อ</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>ราคาชื้อ</source>
        <translation>Price</translation>
    </message>
    <message>
        <source>เลขที่ใบนำเข้า</source>
        <translation>Import No.</translation>
    </message>
    <message>
        <source>วันที่นำเข้า</source>
        <translation>Import date</translation>
    </message>
</context>
<context>
    <name>TFrMemoLine</name>
    <message>
        <source>เพิ่มเติม คำอธิบายรายการ</source>
        <translation>Line memo</translation>
    </message>
</context>
<context>
    <name>TFrMenu</name>
    <message>
        <source>&quot;%1&quot; หยุดทำงานกะทันหัน</source>
        <translation>&quot;%1&quot; stopped unexpectedly</translation>
    </message>
    <message>
        <source>&quot;%1&quot; จบการทำงานโดยมีข้อผิดพลาด (สถานะ %2)</source>
        <translation>&quot;%1&quot; ended with failure status %2</translation>
    </message>
    <message>
        <source>เปิด &quot;%1&quot; ไม่ได้: %2</source>
        <translation>Cannot start &quot;%1&quot;: %2</translation>
    </message>
    <message>
        <source>รหัสผู้ใช้นี้ถูกระงับการใช้งาน</source>
        <translation>This user is blocked.</translation>
    </message>
    <message>
        <source>รหัสผู้ใช้นี้ไม่มีสิทธิ์ใช้งานเมนูใด</source>
        <translation>This user has no right to any menu entry.</translation>
    </message>
    <message>
        <source>บริษัท</source>
        <translation>Company</translation>
    </message>
    <message>
        <source>วันที่ทำงาน</source>
        <translation>Working date</translation>
    </message>
    <message>
        <source>เปิด</source>
        <translation>Open</translation>
    </message>
    <message>
        <source>ออกจากระบบ</source>
        <translation>Sign out</translation>
    </message>
    <message>
        <source>ยังไม่ได้เลือกบริษัท</source>
        <translation>No company chosen</translation>
    </message>
    <message>
        <source>เปิด &quot;%1&quot;</source>
        <translation>Opening &quot;%1&quot;</translation>
    </message>
</context>
<context>
    <name>TFrMrTran</name>
    <message>
        <source>ใบสั่งซื้อหลายใบ</source>
        <translation>Several orders</translation>
    </message>
    <message>
        <source>ราคาซื้อล่าสุด  ไม่ระบุผู้ขาย</source>
        <translation>Last purchase prices, all vendors</translation>
    </message>
    <message>
        <source>ราคาซื้อล่าสุด เฉพาะผู้ขายนี้</source>
        <translation>Last purchase prices of this vendor</translation>
    </message>
    <message>
        <source>เลขที่</source>
        <translation>DocNo</translation>
    </message>
    <message>
        <source>บันทึกด้วย</source>
        <translation>Enter By</translation>
    </message>
    <message>
        <source>วันที่</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>เลขที่ใบสั่งซื้อ</source>
        <translation>PO No</translation>
    </message>
    <message>
        <source>รหัสผู้ขาย</source>
        <translation>Vendor</translation>
    </message>
    <message>
        <source>อัตราภาษี</source>
        <translation>Tax</translation>
    </message>
    <message>
        <source>เลขที่ใบกำกับภาษี</source>
        <translation>Tax No</translation>
    </message>
    <message>
        <source>วันที่ใบกำกับภาษี</source>
        <translation>Tax Date</translation>
    </message>
    <message>
        <source>วันที่รายงานภาษีซื้อ</source>
        <translation>Tax Print Date</translation>
    </message>
    <message>
        <source>การคำนวณภาษี</source>
        <translation>Price(I/E)</translation>
    </message>
    <message>
        <source>เครดิต (วัน)</source>
        <translation>Credit(Day)</translation>
    </message>
    <message>
        <source>ครบชำระ</source>
        <translation>Due</translation>
    </message>
    <message>
        <source>อ้างถึง</source>
        <translation>Ref</translation>
    </message>
    <message>
        <source>ใบมัดจำ</source>
        <translation>PrePaid No</translation>
    </message>
    <message>
        <source>หมายเหตุ</source>
        <translation>Remark</translation>
    </message>
    <message>
        <source>รหัสโครงการ</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>แผนก</source>
        <translation>Department</translation>
    </message>
    <message>
        <source>มัดจำค้างตัด</source>
        <translation>Balance</translation>
    </message>
    <message>
        <source>ลบรายการสินค้า</source>
        <translation>Del Line</translation>
    </message>
    <message>
        <source>แสดงส่วนลด(F11)</source>
        <translation>Show Disc(F11)</translation>
    </message>
    <message>
        <source>ราคารวมภาษี</source>
        <translation>Include VAT</translation>
    </message>
    <message>
        <source>ราคายังไม่รวมภาษี</source>
        <translation>Exclude VAT</translation>
    </message>
    <message>
        <source>รหัสของกิจการ</source>
        <translation>Self Code</translation>
    </message>
    <message>
        <source>รหัสผู้จำหน่าย</source>
        <translation>Vendor Code</translation>
    </message>
    <message>
        <source>รายละเอียดเอกสาร</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>ท่านไม่ได้ป้อนเลขที่<byte value="xd"/>ขณะนี้อยู่ในระบบเลขที่เอกสารไม่ Run อัตโนมัติ</source>
        <translation>The document number is missing.<byte value="xd"/>Numbers are not given automatically in this company.</translation>
    </message>
    <message>
        <source>เอกสารใบนี้จ่ายเงินแล้ว ไม่สามารถแก้ไขได้</source>
        <translation>This document is paid; it cannot be changed</translation>
    </message>
    <message>
        <source>เอกสารใบนี้จ่ายเงินบางส่วนแล้ว ไม่สามารถแก้ไขได้</source>
        <translation>This document is partly paid; it cannot be changed</translation>
    </message>
    <message>
        <source>อ้างถึงใบจ่ายเงินเลขที่ </source>
        <translation>See payment number </translation>
    </message>
    <message>
        <source>วันที่ </source>
        <translation>dated </translation>
    </message>
    <message>
        <source>ไม่ใช่เอกสาร</source>
        <translation>Not a document of </translation>
    </message>
    <message>
        <source>ยังไม่ได้ระบุ</source>
        <translation>Missing: </translation>
    </message>
    <message>
        <source>วันที่ใบกำกับ และ วันที่ยื่นภาษีจะถูกกำหนดตามวันที่รับสินค้า<byte value="xd"/>กรุณาตรวจสอบวันที่รายงานภาษีให้ถูกต้อง</source>
        <translation>The tax invoice date and the tax report date follow the receiving date.<byte value="xd"/>Please check the tax report date.</translation>
    </message>
    <message>
        <source>พบเลขที่ใบกำกับซ้ำกับใบอื่นยืนยันใช้เลขที่นี้ ?</source>
        <translation>Another document has this tax invoice number. Use it anyway?</translation>
    </message>
    <message>
        <source>รับสินค้าเงินเชื่อ</source>
        <translation>Credit Purchase</translation>
    </message>
    <message>
        <source>รหัส</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>รายละเอียด</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>จำนวน</source>
        <translation>Qnty</translation>
    </message>
    <message>
        <source>หน่วยนับ</source>
        <translation>Units</translation>
    </message>
    <message>
        <source>รวม</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>ไม่ได้ระบุผู้จำหน่าย</source>
        <translation>No vendor chosen</translation>
    </message>
    <message>
        <source>ไม่พบราคาซื้อล่าสุด จากทุกผู้ขาย</source>
        <translation>No last purchase price from any vendor</translation>
    </message>
    <message>
        <source>ไม่พบราคาซื้อล่าสุด ของผู้ขายรายนี้</source>
        <translation>No last purchase price from this vendor</translation>
    </message>
    <message>
        <source>ประวัติการซื้อ : </source>
        <translation>Purchase history: </translation>
    </message>
    <message>
        <source> ของลูกค้า : </source>
        <translation> of vendor: </translation>
    </message>
    <message>
        <source>Serial นี้ถูกขายออกไปเรียบร้อยแล้ว ไม่สามารถแก้ไข หรือ ลบรายการนี้ได้ !</source>
        <translation>This serial number has been sold; the line cannot be changed or deleted!</translation>
    </message>
    <message>
        <source>วันที่ใน PO ต้องน้อยกว่าวันที่รับของ</source>
        <translation>The PO date must be before the receiving date</translation>
    </message>
    <message>
        <source>PO ใบนี้ยังไม่ได้ อนุมัติ</source>
        <translation>PO Not Approve</translation>
    </message>
    <message>
        <source>เอกสารที่เลือกได้ถูกทำการการเลือกไว้ก่อนหน้านี้แล้ว !</source>
        <translation>The chosen document has already been taken!</translation>
    </message>
    <message>
        <source>มัดจำ อัตราภาษี : </source>
        <translation>Deposit tax rate: </translation>
    </message>
    <message>
        <source>ยังไม่ได้ป้อนรหัสโครงการ</source>
        <translation>The project code is missing</translation>
    </message>
    <message>
        <source>ท่านยังไม่ได้ป้อนเลขที่ PO</source>
        <translation>The PO number is missing</translation>
    </message>
</context>
<context>
    <name>TFrPcTran</name>
    <message>
        <source>ซื้อเงินสด</source>
        <translation>Cash Purchase</translation>
    </message>
</context>
<context>
    <name>TFrPoShip</name>
    <message>
        <source>ป้อนข้อมูลสถานที่ส่ง</source>
        <translation>Delivery place</translation>
    </message>
</context>
<context>
    <name>TFrPoTran</name>
    <message>
        <source>ราคาซื้อล่าสุด</source>
        <translation>Last purchase prices</translation>
    </message>
    <message>
        <source>ราคาล่าสุดไม่ระบุผู้ขาย</source>
        <translation>Last prices, all vendors</translation>
    </message>
    <message>
        <source>ประวัติการซื้อ : </source>
        <translation>Purchase history: </translation>
    </message>
    <message>
        <source> ของลูกค้า : </source>
        <translation> of vendor: </translation>
    </message>
    <message>
        <source>เลขที่</source>
        <translation>Po No.</translation>
    </message>
    <message>
        <source>บันทึกด้วย</source>
        <translation>Input By</translation>
    </message>
    <message>
        <source>วันที่</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>เลขใบขอซื้อ</source>
        <translation>PR No</translation>
    </message>
    <message>
        <source>วันที่ขอซื้อ</source>
        <translation>PR Date</translation>
    </message>
    <message>
        <source>ภาษี</source>
        <translation>Tax</translation>
    </message>
    <message>
        <source>การคำนวณภาษี</source>
        <translation>Price Type</translation>
    </message>
    <message>
        <source>จะชำระโดย</source>
        <translation>Paid Type</translation>
    </message>
    <message>
        <source>อ้างถึง</source>
        <translation>Ref.</translation>
    </message>
    <message>
        <source>กำหนดส่งสินค้า</source>
        <translation>Ship Date</translation>
    </message>
    <message>
        <source>เครดิต</source>
        <translation>Credit</translation>
    </message>
    <message>
        <source>วัน</source>
        <translation>Day(s)</translation>
    </message>
    <message>
        <source>หมายเหตุ</source>
        <translation>Remark</translation>
    </message>
    <message>
        <source>โครงการ</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>แผนก</source>
        <translation>Department</translation>
    </message>
    <message>
        <source>รหัสของกิจการ</source>
        <translation>Self Code</translation>
    </message>
    <message>
        <source>BAR CODE</source>
        <translation>BarCode</translation>
    </message>
    <message>
        <source>รหัสผู้จำหน่าย</source>
        <translation>Vendor Code</translation>
    </message>
    <message>
        <source>ราคารวมภาษี</source>
        <translation>Include VAT</translation>
    </message>
    <message>
        <source>ราคายังไม่รวมภาษี</source>
        <translation>Exclude VAT</translation>
    </message>
    <message>
        <source>เงินสด</source>
        <translation>Cash</translation>
    </message>
    <message>
        <source>เช็ค</source>
        <translation>Cheque</translation>
    </message>
    <message>
        <source>เงินโอน</source>
        <translation>Transfer</translation>
    </message>
    <message>
        <source>ลบรายการสินค้า</source>
        <translation>Delete Line</translation>
    </message>
    <message>
        <source>แสดงส่วนลด (F11)</source>
        <translation>Show Disc.(F11)</translation>
    </message>
    <message>
        <source>รายละเอียด</source>
        <translation>Discount Description</translation>
    </message>
    <message>
        <source>ส่วนลด(%)</source>
        <translation>Disc (%)</translation>
    </message>
    <message>
        <source>ส่วนลด(บาท)</source>
        <translation>Disc (Baht)</translation>
    </message>
    <message>
        <source>รวมส่วนลด</source>
        <translation>Amount Disc.</translation>
    </message>
    <message>
        <source>รวมสินค้ามีภาษี</source>
        <translation>Product VAT</translation>
    </message>
    <message>
        <source>รวมสินค้าไม่มีภาษี</source>
        <translation>Product NoVAT</translation>
    </message>
    <message>
        <source>รายละเอียดเอกสาร</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>จะต้องป้อนเลขที่เอกสาร</source>
        <translation>Type the document number</translation>
    </message>
    <message>
        <source>รายการสั่งซื้อรับหมดแล้ว ไม่สามารถแก้ไขได้</source>
        <translation>The order has been received in full; it cannot be changed.</translation>
    </message>
    <message>
        <source>ยังไม่ได้ป้อนรหัสผู้ขาย</source>
        <translation>The vendor code is missing</translation>
    </message>
    <message>
        <source>ยังไม่ได้ป้อนรหัสโครงการ</source>
        <translation>The project code is missing</translation>
    </message>
    <message>
        <source>บันทึกข้อมูลไม่ครบถ้วน !</source>
        <translation>The document is not complete!</translation>
    </message>
    <message>
        <source>ใบสั่งซื้อสินค้า</source>
        <translation>Purchase Order</translation>
    </message>
    <message>
        <source>ชนิด</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>รหัสสินค้า</source>
        <comment>vendor&apos;s code</comment>
        <translation>Purc Code</translation>
    </message>
    <message>
        <source>รหัสสินค้า</source>
        <translation>Product Code</translation>
    </message>
    <message>
        <source>ชื่อสินค้า</source>
        <translation>Product Name</translation>
    </message>
    <message>
        <source>วันที่ส่ง</source>
        <translation>Ship Date</translation>
    </message>
    <message>
        <source>คลัง</source>
        <translation>WH</translation>
    </message>
    <message>
        <source>จำนวน</source>
        <translation>Qnty</translation>
    </message>
    <message>
        <source>หน่วย</source>
        <translation>Units</translation>
    </message>
    <message>
        <source>รับแล้ว</source>
        <translation>Received</translation>
    </message>
    <message>
        <source>ค้างรับ</source>
        <translation>Outstanding</translation>
    </message>
    <message>
        <source>รวม</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>ส่วนลด</source>
        <translation>Disc.</translation>
    </message>
    <message>
        <source>ยังไม่ได้ระบุรหัสภาษี</source>
        <translation>The tax code is missing</translation>
    </message>
</context>
<context>
    <name>TFrPurcHistory</name>
    <message>
        <source>เลขที่เอกสาร</source>
        <translation>Document No.</translation>
    </message>
    <message>
        <source>วันที่เอกสาร</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>ราคา</source>
        <translation>Price</translation>
    </message>
    <message>
        <source>จำนวน</source>
        <translation>Qnty</translation>
    </message>
    <message>
        <source>หน่วยนับ</source>
        <translation>Units</translation>
    </message>
</context>
<context>
    <name>TFrPurchaseDocument</name>
    <message>
        <source>ภาษีขอคืนได้</source>
        <translation>Reclaimable VAT</translation>
    </message>
    <message>
        <source>ป้อนคำอธิบายเพิ่มเติม</source>
        <translation>Line memo</translation>
    </message>
</context>
<context>
    <name>TFrSearch</name>
    <message>
        <source>สีแดง : เอกสารยกเลิก<byte value="xd"/>
สีน้ำเงิน : เอกสารรับ/จ่ายแล้ว</source>
        <translation>Red: cancelled document<byte value="xd"/>
Blue: document received/paid</translation>
    </message>
    <message>
        <source>ค้นหา</source>
        <translation>Search</translation>
    </message>
    <message>
        <source>รหัส</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>เลือก</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>ไม่เลือก</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>เอกสารถูกยกเลิกแล้ว</source>
        <translation>Document Was Deleted</translation>
    </message>
    <message>
        <source>สาเหตุยกเลิก : </source>
        <translation>Reason for cancelling: </translation>
    </message>
</context>
<context>
    <name>TFrSearchEmployee</name>
    <message>
        <source>ค้นหารายชื่อพนักงาน</source>
        <translation>Search employees</translation>
    </message>
    <message>
        <source>ชื่อพนักงาน</source>
        <translation>Employee name</translation>
    </message>
    <message>
        <source>รหัส</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>ชื่อ</source>
        <translation>Name</translation>
    </message>
</context>
<context>
    <name>TFrSearchFrPoNo</name>
    <message>
        <source>ค้นหาใบสั่งซื้อต่างประเทศ</source>
        <translation>Searching Po</translation>
    </message>
    <message>
        <source>เลขที่</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>เจ้าหนี้</source>
        <translation>Vendor</translation>
    </message>
    <message>
        <source>วันที่สั่ง</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>วันที่ส่ง</source>
        <translation>Ship Date</translation>
    </message>
    <message>
        <source>รหัสเจ้าหนี้</source>
        <translation>Vendor</translation>
    </message>
    <message>
        <source>ชื่อเจ้าหนี้</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>เลขที่</source>
        <comment>column</comment>
        <translation>Po No</translation>
    </message>
</context>
<context>
    <name>TFrSearchFrVendor</name>
    <message>
        <source>ค้นหาเจ้าหนี้ต่างประเทศ</source>
        <translation>Search foreign vendors</translation>
    </message>
    <message>
        <source>ชื่อ</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>รหัส</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>ประเทศ</source>
        <translation>Country</translation>
    </message>
    <message>
        <source>สกุลเงิน</source>
        <translation>Currency</translation>
    </message>
</context>
<context>
    <name>TFrSearchImNo</name>
    <message>
        <source>ค้นหาใบนำเข้าสินค้าจากต่างประเทศ</source>
        <translation>Search import documents</translation>
    </message>
    <message>
        <source>เลขที่</source>
        <translation>No</translation>
    </message>
    <message>
        <source>วันที่</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>เจ้าหนี้</source>
        <translation>Vendor</translation>
    </message>
    <message>
        <source>รวมเงิน</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>สกุลเงิน</source>
        <translation>Currency</translation>
    </message>
</context>
<context>
    <name>TFrSearchLotNo</name>
    <message>
        <source>ค้นหา Lot No.</source>
        <translation>Search Lot No.</translation>
    </message>
    <message>
        <source>รายละเอียด</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>วันหมดอายุ</source>
        <translation>Expiry date</translation>
    </message>
    <message>
        <source>มีวันหมดอายุ</source>
        <translation>Expires</translation>
    </message>
    <message>
        <source>เลือก</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>ไม่เลือก</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TFrSearchMisc</name>
    <message>
        <source>รายละเอียด</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>รหัส</source>
        <translation>Code</translation>
    </message>
</context>
<context>
    <name>TFrSearchMrNo</name>
    <message>
        <source>ค้นหาใบรับสินค้า</source>
        <translation>Searching Purchase</translation>
    </message>
    <message>
        <source>เลขที่ใบกำกับ</source>
        <translation>Tax No</translation>
    </message>
    <message>
        <source>เลขที่</source>
        <translation>No</translation>
    </message>
    <message>
        <source>วันที่</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>วันที่ใบกำกับ</source>
        <translation>Tax Date</translation>
    </message>
    <message>
        <source>รหัส</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>ชื่อ</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>รวมเงิน</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>จ่าย?</source>
        <translation>Paid?</translation>
    </message>
</context>
<context>
    <name>TFrSearchPcNo</name>
    <message>
        <source>ค้นหาใบซื้อสด</source>
        <translation>Searching Purchase</translation>
    </message>
    <message>
        <source>เลขที่</source>
        <translation>No</translation>
    </message>
    <message>
        <source>วันที่</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>เลขที่ใบกำกับ</source>
        <translation>Tax No</translation>
    </message>
    <message>
        <source>วันที่ใบกำกับ</source>
        <translation>Tax Date</translation>
    </message>
    <message>
        <source>รหัส</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>ชื่อ</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>จำนวนเงิน</source>
        <translation>Total</translation>
    </message>
</context>
<context>
    <name>TFrSearchPoDt</name>
    <message>
        <source>ค้นหารายการสินค้าตามใบสั่งซื้อ</source>
        <translation>Search order lines</translation>
    </message>
    <message>
        <source>เลขที่ PO</source>
        <translation>PO No.</translation>
    </message>
    <message>
        <source>วันที่</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>รหัส</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>ชื่อ</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>วันที่ส่งสินค้า</source>
        <translation>Ship Date</translation>
    </message>
    <message>
        <source>รวมเงิน</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>อ้างถึง</source>
        <translation>Ref</translation>
    </message>
    <message>
        <source>จำนวน</source>
        <translation>Qnty</translation>
    </message>
    <message>
        <source>หน่วยนับ</source>
        <translation>Units</translation>
    </message>
    <message>
        <source>ราคา</source>
        <translation>Price</translation>
    </message>
    <message>
        <source>ใบสั่งซื้อ</source>
        <translation>Orders</translation>
    </message>
    <message>
        <source>รายการสินค้า</source>
        <translation>Lines</translation>
    </message>
</context>
<context>
    <name>TFrSearchPoNo</name>
    <message>
        <source>ค้นหาใบสั่งซื้อ</source>
        <translation>Search purchase orders</translation>
    </message>
    <message>
        <source>เลขที่</source>
        <translation>No</translation>
    </message>
    <message>
        <source>วันที่สั่ง</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>วันที่ส่ง</source>
        <translation>Ship Date</translation>
    </message>
    <message>
        <source>รหัสเจ้าหนี้</source>
        <translation>Vendor</translation>
    </message>
    <message>
        <source>ชื่อเจ้าหนี้</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>รวมเงิน</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>พนักงานขาย</source>
        <translation>Salesperson</translation>
    </message>
    <message>
        <source>รหัสผู้ขาย</source>
        <translation>Vendor</translation>
    </message>
    <message>
        <source>ค้นหารหัสผู้ขาย</source>
        <translation>Search vendor codes</translation>
    </message>
    <message>
        <source>ค้นหารหัสเจ้าหนี้</source>
        <translation>Search vendors</translation>
    </message>
</context>
<context>
    <name>TFrSearchPoRQNo</name>
    <message>
        <source>ค้นหาใบขอซื้อ</source>
        <translation>Search purchase requests</translation>
    </message>
    <message>
        <source>เลขใบขอซื้อ</source>
        <translation>PR No</translation>
    </message>
    <message>
        <source>แผนก</source>
        <translation>Department</translation>
    </message>
    <message>
        <source>โครงการ</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>รหัสพนักงาน</source>
        <translation>Employee code</translation>
    </message>
    <message>
        <source>เลขที่</source>
        <translation>No</translation>
    </message>
    <message>
        <source>วันที่ขอซื้อ</source>
        <translation>PR Date</translation>
    </message>
    <message>
        <source>วันที่ขอรับ</source>
        <translation>Wanted on</translation>
    </message>
    <message>
        <source>รหัสแผนก</source>
        <translation>Department</translation>
    </message>
    <message>
        <source>รหัสโครงการ</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>ชื่อพนักงาน</source>
        <translation>Employee name</translation>
    </message>
    <message>
        <source>ค้นหา แผนก</source>
        <translation>Search departments</translation>
    </message>
</context>
<context>
    <name>TFrSearchPrePaid</name>
    <message>
        <source>ค้นหาใบจ่ายเงินมัดจำ</source>
        <translation>Search deposit payments</translation>
    </message>
    <message>
        <source>เลขที่</source>
        <translation>No</translation>
    </message>
    <message>
        <source>วันที่</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>รหัสเจ้าหนี้</source>
        <translation>Vendor</translation>
    </message>
    <message>
        <source>ชื่อเจ้าหนี้</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>จำนวนเงิน</source>
        <translation>Total</translation>
    </message>
    <message>
        <source>ยอดค้างตัด</source>
        <translation>Balance</translation>
    </message>
    <message>
        <source>อ้างถึง</source>
        <translation>Ref</translation>
    </message>
    <message>
        <source>หมายเหตุ</source>
        <translation>Remark</translation>
    </message>
</context>
<context>
    <name>TFrSearchProdAttrCode</name>
    <message>
        <source>ค้นหาคุณสมบัติสินค้า</source>
        <translation>Search product attributes</translation>
    </message>
    <message>
        <source>รหัส</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>รายละเอียด</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>หาเต็มคำ</source>
        <translation>Whole word</translation>
    </message>
    <message>
        <source>เลือก</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>ไม่เลือก</source>
        <translation>Cancel</translation>
    </message>
</context>
<context>
    <name>TFrSearchProductService</name>
    <message>
        <source>ค้นหาสินค้า/บริการ</source>
        <translation>Search Products/Services</translation>
    </message>
    <message>
        <source>ชื่อสินค้า</source>
        <translation>Product name</translation>
    </message>
    <message>
        <source>ประเภทสินค้า</source>
        <translation>Product type</translation>
    </message>
    <message>
        <source>สินค้าสำเร็จรูป</source>
        <translation>Finished goods</translation>
    </message>
    <message>
        <source>บริการ</source>
        <translation>Service</translation>
    </message>
    <message>
        <source>วัสดุ/เบ็ดเตล็ด</source>
        <translation>Materials/Misc.</translation>
    </message>
    <message>
        <source>วัตถุดิบ</source>
        <translation>Raw material</translation>
    </message>
    <message>
        <source>สินค้าสำเร็จรูป / วัตถุดิบ</source>
        <translation>Finished goods / Raw material</translation>
    </message>
    <message>
        <source>รูปสินค้า F12</source>
        <translation>Picture F12</translation>
    </message>
    <message>
        <source>แสดง/ซ่อนรูปสินค้า (F12)</source>
        <translation>Show/hide the product picture (F12)</translation>
    </message>
    <message>
        <source>รหัส</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>สำนักพิมพ์</source>
        <translation>Publisher</translation>
    </message>
    <message>
        <source>หมวดหมู่</source>
        <translation>Category</translation>
    </message>
    <message>
        <source>ราคา</source>
        <translation>Price</translation>
    </message>
    <message>
        <source>หน่วย</source>
        <translation>Unit</translation>
    </message>
    <message>
        <source>คงเหลือ</source>
        <translation>On hand</translation>
    </message>
    <message>
        <source>รุ่นสินค้า</source>
        <translation>Model</translation>
    </message>
    <message>
        <source>ยี่ห้อสินค้า</source>
        <translation>Brand</translation>
    </message>
    <message>
        <source>หมายเหตุ</source>
        <translation>Remark</translation>
    </message>
</context>
<context>
    <name>TFrSearchProject</name>
    <message>
        <source>ค้นหา หน่วยงานโครงการ</source>
        <translation>Search projects</translation>
    </message>
    <message>
        <source>ชื่อโครงการ</source>
        <translation>Project name</translation>
    </message>
    <message>
        <source>รหัสโครงการ</source>
        <translation>Project</translation>
    </message>
    <message>
        <source>รายละเอียด</source>
        <translation>Description</translation>
    </message>
</context>
<context>
    <name>TFrSearchUnit</name>
    <message>
        <source>ค้นหาหน่วยนับ</source>
        <translation>Search Product Unit</translation>
    </message>
    <message>
        <source>เลือก</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>ไม่เลือก</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>หน่วยนับ</source>
        <translation>Unit Name</translation>
    </message>
    <message>
        <source>Barcode</source>
        <translation>BarCode</translation>
    </message>
    <message>
        <source>ราคาขาย</source>
        <translation>Sale price</translation>
    </message>
    <message>
        <source>อัตราส่วนหน่วยย่อย</source>
        <translation>Pack Qnty</translation>
    </message>
</context>
<context>
    <name>TFrSearchVenAttrCode</name>
    <message>
        <source>ค้นหาคุณสมบัติเจ้าหนี้</source>
        <translation>Search vendor attributes</translation>
    </message>
    <message>
        <source>ค้นหารายละเอียด</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>รายละเอียด</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>รหัส</source>
        <translation>Code</translation>
    </message>
</context>
<context>
    <name>TFrSearchVendor</name>
    <message>
        <source>ค้นหารหัสเจ้าหนี้</source>
        <translation>Search vendors</translation>
    </message>
    <message>
        <source>รหัส</source>
        <translation>Code</translation>
    </message>
    <message>
        <source>ชื่อ</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>หมายเหตุ</source>
        <translation>Remark</translation>
    </message>
</context>
<context>
    <name>TFrSearchVendorDocument</name>
    <message>
        <source>เลขที่</source>
        <translation>No</translation>
    </message>
    <message>
        <source>รหัสผู้ขาย</source>
        <translation>Vendor</translation>
    </message>
</context>
<context>
    <name>TFrShowError</name>
    <message>
        <source>รายละเอียด</source>
        <translation>Details</translation>
    </message>
</context>
<context>
    <name>TFrShowImportCost</name>
    <message>
        <source>ต้นทุนการนำเข้า</source>
        <translation>Import Cost</translation>
    </message>
    <message>
        <source>ต้นทุน (&amp;1)</source>
        <translation>Cost (&amp;1)</translation>
    </message>
    <message>
        <source>เปรียบเทียบกับตามมูลค่า (&amp;2)</source>
        <translation>Compared with value (&amp;2)</translation>
    </message>
    <message>
        <source>กราฟ (&amp;3)</source>
        <translation>Chart (&amp;3)</translation>
    </message>
    <message>
        <source>เอกสารค่าใช้จ่าย (&amp;4)</source>
        <translation>Expense documents (&amp;4)</translation>
    </message>
    <message>
        <source>ประมาณการเทียบจริง (&amp;5)</source>
        <translation>Estimate against actual (&amp;5)</translation>
    </message>
    <message>
        <source>พิมพ์ Cost Sheet</source>
        <translation>Print Cost Sheet</translation>
    </message>
    <message>
        <source>ส่งออก PDF</source>
        <translation>Export PDF</translation>
    </message>
    <message>
        <source>ส่งออก CSV</source>
        <translation>Export CSV</translation>
    </message>
    <message>
        <source>ปันส่วนค่าใช้จ่ายตาม: </source>
        <translation>Expenses split by: </translation>
    </message>
    <message>
        <source>ค่าใช้จ่ายของล็อต %1 บาท จากเอกสาร %2 ใบ (ดูหน้า เอกสารค่าใช้จ่าย)</source>
        <translation>Lot expenses %1 baht from %2 documents (see Expense documents)</translation>
    </message>
    <message>
        <source>ไม่พบแฟ้มรายงาน %1</source>
        <translation>Report file not found: %1</translation>
    </message>
    <message>
        <source>บันทึก Cost Sheet</source>
        <translation>Save Cost Sheet</translation>
    </message>
    <message>
        <source>บันทึกแฟ้ม %1 แล้ว</source>
        <translation>Saved %1</translation>
    </message>
</context>
<context>
    <name>TFrSimpleSearch</name>
    <message>
        <source>รายละเอียด</source>
        <translation>Description</translation>
    </message>
    <message>
        <source>รหัส</source>
        <translation>Code</translation>
    </message>
</context>
<context>
    <name>TLookupEdit</name>
    <message>
        <source>ไม่พบรหัส</source>
        <translation>Code not found</translation>
    </message>
    <message>
        <source>ต้องระบุรหัส</source>
        <translation>A code is required</translation>
    </message>
</context>
<context>
    <name>TReport</name>
    <message>
        <source>No report layout is loaded</source>
        <translation>No report layout is loaded</translation>
    </message>
</context>
<context>
    <name>WaitFeedback</name>
    <message>
        <source>กำลังรอฐานข้อมูล: เครื่องอื่นกำลังบันทึกข้อมูลอยู่...</source>
        <translation>Waiting for the database: another workstation is saving...</translation>
    </message>
</context>
</TS>
