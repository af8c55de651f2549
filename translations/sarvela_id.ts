<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="id_ID">
<context>
    <name>report_engine</name>
    <message>
        <source>export cancelled</source>
        <translation>ekspor dibatalkan</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>tidak dapat menulis %1: %2</translation>
    </message>
    <message>
        <source>there is nothing to print</source>
        <translation>tidak ada halaman untuk dicetak</translation>
    </message>
    <message>
        <source>the printer cannot be opened</source>
        <translation>printer tidak dapat dibuka</translation>
    </message>
    <message>
        <source>printing cancelled</source>
        <translation>pencetakan dibatalkan</translation>
    </message>
    <message>
        <source>not a prepared report</source>
        <translation>bukan laporan siap cetak</translation>
    </message>
    <message>
        <source>the prepared report is damaged</source>
        <translation>laporan siap cetak rusak</translation>
    </message>
</context>
<context>
    <name>report_engine::PreviewWindow</name>
    <message>
        <source>Export to PDF</source>
        <translation>Ekspor ke PDF</translation>
    </message>
    <message>
        <source>PDF files (*.pdf)</source>
        <translation>Berkas PDF (*.pdf)</translation>
    </message>
    <message>
        <source>Export to HTML</source>
        <translation>Ekspor ke HTML</translation>
    </message>
    <message>
        <source>HTML files (*.html *.htm)</source>
        <translation>Berkas HTML (*.html *.htm)</translation>
    </message>
    <message>
        <source>Export to CSV</source>
        <translation>Ekspor ke CSV</translation>
    </message>
    <message>
        <source>CSV files (*.csv)</source>
        <translation>Berkas CSV (*.csv)</translation>
    </message>
    <message>
        <source>Prepared reports (*.rpr)</source>
        <translation>Laporan siap cetak (*.rpr)</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Pratinjau</translation>
    </message>
    <message>
        <source>Print...</source>
        <translation>Cetak...</translation>
    </message>
    <message>
        <source>Quick print</source>
        <translation>Cetak langsung</translation>
    </message>
    <message>
        <source>Page setup...</source>
        <translation>Pengaturan halaman...</translation>
    </message>
    <message>
        <source>Open...</source>
        <translation>Buka...</translation>
    </message>
    <message>
        <source>Save...</source>
        <translation>Simpan...</translation>
    </message>
    <message>
        <source>PDF...</source>
        <translation>PDF...</translation>
    </message>
    <message>
        <source>HTML...</source>
        <translation>HTML...</translation>
    </message>
    <message>
        <source>CSV...</source>
        <translation>CSV...</translation>
    </message>
    <message>
        <source>Quick export</source>
        <translation>Ekspor cepat</translation>
    </message>
    <message>
        <source>Zoom out</source>
        <translation>Perkecil</translation>
    </message>
    <message>
        <source>100 %</source>
        <translation>100 %</translation>
    </message>
    <message>
        <source>Zoom in</source>
        <translation>Perbesar</translation>
    </message>
    <message>
        <source>Page width</source>
        <translation>Lebar halaman</translation>
    </message>
    <message>
        <source>Whole page</source>
        <translation>Seluruh halaman</translation>
    </message>
    <message>
        <source>First</source>
        <translation>Pertama</translation>
    </message>
    <message>
        <source>Previous</source>
        <translation>Sebelumnya</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Berikutnya</translation>
    </message>
    <message>
        <source>Last</source>
        <translation>Terakhir</translation>
    </message>
    <message>
        <source>Find</source>
        <translation>Cari</translation>
    </message>
    <message>
        <source>Find next</source>
        <translation>Cari berikutnya</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Halaman %1 dari %2</translation>
    </message>
    <message>
        <source>&quot;%1&quot; not found</source>
        <translation>&quot;%1&quot; tidak ditemukan</translation>
    </message>
    <message>
        <source>Printing...</source>
        <translation>Mencetak...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Batal</translation>
    </message>
    <message>
        <source>No default printer is set up.</source>
        <translation>Belum ada printer utama yang diatur.</translation>
    </message>
    <message>
        <source>Open prepared report</source>
        <translation>Buka laporan siap cetak</translation>
    </message>
    <message>
        <source>Cannot open %1: %2</source>
        <translation>Tidak dapat membuka %1: %2</translation>
    </message>
    <message>
        <source>Save prepared report</source>
        <translation>Simpan laporan siap cetak</translation>
    </message>
    <message>
        <source>Cannot save %1: %2</source>
        <translation>Tidak dapat menyimpan %1: %2</translation>
    </message>
    <message>
        <source>Exporting...</source>
        <translation>Mengekspor...</translation>
    </message>
    <message>
        <source>Exported to %1</source>
        <translation>Diekspor ke %1</translation>
    </message>
</context>
</TS>
