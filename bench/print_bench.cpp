// Printing W-2s to PDF: the layout engine on the Qt canvas against the floor
// of the same texts, lines and pictures drawn straight onto a QPdfWriter.
//
//   print_bench                 # 100, 1,000 and 10,000 forms, red-ink and Copy B
//   print_bench 2000 20000      # other counts
//
// Every run is a child process of its own, so its peak memory is its own.
// Copy B draws a stand-in picture (a 300-dpi monochrome bitmap of the
// artwork's size) written to a scratch folder; the floor draws it as the
// canvas does into a PDF, as a one-bit pixmap made once.
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>

#include <sys/resource.h>
#include <time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "forms/print/box_fit.h"
#include "forms/print/qt/qt_canvas.h"
#include "forms/print/recording_canvas.h"
#include "forms/w2/w2_print.h"
#include "memory_probe.h"
#include "store/records.h"
#include "store/text_codec.h"

namespace {

using namespace formet;
using formet::bench::ResetPeak;
using formet::bench::StatusKb;
namespace fs = std::filesystem;

struct Payroll {
  CompanyRecord company;
  std::vector<EmployeeRecord> employees;
  std::vector<W2Record> forms;
  std::vector<int> order;
};

Payroll MakePayroll(int n) {
  Payroll p;
  p.company.SetEmployerIdentificationNumber("36-4125798");
  p.company.SetEmployerName("Sample Company");
  p.company.SetAddress1("1200 Capitol Ave");
  p.company.SetAddress2("Suite 300");
  p.company.SetCity("Springfield");
  p.company.SetState("IL");
  p.company.SetZip("62701");
  p.company.SetStateID("4125-7980");
  p.company.SetFormW3ControlNumber("A-1");
  for (int i = 1; i <= n; ++i) {
    EmployeeRecord e;
    e.EmployeeUniqueID = i;
    char ssn[16];
    std::snprintf(ssn, sizeof ssn, "%03d-%02d-%04d", 100 + i % 800, i % 100, i % 10000);
    e.SetSocialSecurityNumber(ssn);
    e.SetFirstName("Employee");
    e.SetMiddleName("Q");
    e.SetLastName("Number" + std::to_string(i));
    e.SetAddress1(std::to_string(i) + " Lincoln Ave");
    e.SetCity("Springfield");
    e.SetState("IL");
    e.SetZip("62702");
    p.employees.push_back(e);
    W2Record w;
    w.W2UniqueID = i;
    w.EmployeeUniqueID = i;
    const std::string wages = std::to_string(30000 + i) + ".00";
    w.SetStateWages1(wages);
    w.SetMedicareWages(w.StateWages1());
    w.SetSocialSecurityWages(w.StateWages1());
    w.SetWages(w.StateWages1());
    w.SetFederalIncomeTaxWithdrawal(std::to_string(3000 + i % 1000) + ".50");
    w.SetSocialSecurityTaxWithheld("1860.00");
    w.SetMedicareTaxWithheld("435.00");
    w.SetStateIncomTax1("900.00");
    w.RetirementPlan = 1;
    w.SetField12aCode("D");
    w.SetField12aAmount("1200.00");
    w.SetState1("IL");
    w.SetStateID1("4125-7980");
    p.forms.push_back(w);
    p.order.push_back(i - 1);
  }
  return p;
}

FormPrintSettings Variant(const std::string& name) {
  FormPrintSettings s;
  s.printTarget = 1;
  if (name == "copy-b") {
    s.paperType = 0;
    s.blankCopyType = 3;
  }
  return s;
}

// Processor time of this process: on a machine shared with other work it
// measures the work done, where the wall clock measures the waiting too.
double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

struct Timer {
  std::chrono::steady_clock::time_point wall = std::chrono::steady_clock::now();
  double cpu = CpuSeconds();
  double Wall() const { return std::chrono::duration<double>(std::chrono::steady_clock::now() - wall).count(); }
  double Cpu() const { return CpuSeconds() - cpu; }
};

// The floor: the operations the job records, drawn straight onto a
// QPdfWriter with fonts made once, in the same run.
void DrawFloor(const std::vector<RecordingCanvas>& pages, const QString& path, const QString& pictures,
               double& cpu, double& wall) {
  QPdfWriter writer(path);
  writer.setResolution(1200);
  writer.setPageLayout(QPageLayout(QPageSize(QPageSize::Letter), QPageLayout::Portrait,
                                   QMarginsF(6.35, 6.35, 6.35, 6.35), QPageLayout::Millimeter));
  const double scale = 1200.0 / kUnitsPerInch;
  PictureCache images(pictures);
  std::map<std::tuple<std::string, int, bool>, std::pair<QFont, double>> fonts;
  const Timer timer;
  QPainter painter(&writer);
  for (size_t page = 0; page < pages.size(); ++page) {
    if (page > 0) writer.newPage();
    for (const CanvasOp& op : pages[page].Ops()) {
      switch (op.kind) {
        case CanvasOp::Kind::Text: {
          if (op.text.empty()) break;
          auto& font = fonts[{op.font.face, op.font.tenthsOfPoint, op.font.bold}];
          if (font.second == 0) {
            font.first = QtCanvas::FontFor(op.font);
            font.second = QFontMetricsF(font.first, &writer).ascent();
          }
          painter.setFont(font.first);
          painter.drawText(QPointF(op.x * scale, op.y * scale + font.second),
                           QString::fromStdString(Win1252ToUtf8(op.text)));
          break;
        }
        case CanvasOp::Kind::Line:
          painter.setPen(QPen(Qt::black, op.pen.width * scale));
          painter.drawLine(QPointF(op.x * scale, op.y * scale), QPointF(op.x2 * scale, op.y2 * scale));
          break;
        case CanvasOp::Kind::Rect:
          painter.setPen(QPen(Qt::white, op.pen.width * scale));
          painter.setBrush(Qt::white);
          painter.drawRect(QRectF(op.x * scale, op.y * scale, (op.x2 - op.x) * scale, (op.y2 - op.y) * scale));
          painter.setBrush(Qt::NoBrush);
          break;
        case CanvasOp::Kind::Picture: {
          if (const QPixmap* picture = images.OneBit(op.text))
            painter.drawPixmap(QRectF(op.x * scale, op.y * scale, (op.x2 - op.x) * scale, (op.y2 - op.y) * scale),
                               *picture, QRectF(picture->rect()));
          break;
        }
        case CanvasOp::Kind::OutlinedText: break;
      }
    }
  }
  painter.end();
  cpu = timer.Cpu();
  wall = timer.Wall();
}

// One measurement in this (child) process; prints "cpu-seconds wall-seconds
// bytes KB-before KB-peak": the resident size before printing (the records of
// the company, Qt) and the peak while printing.
int Measure(const std::string& variant, int n, bool floor, const fs::path& scratch) {
  static int argc = 1;
  static char name[] = "print_bench";
  static char* argv[] = {name, nullptr};
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  const Payroll payroll = MakePayroll(n);
  const W2PrintJob job({&payroll.company, &payroll.employees, &payroll.forms, payroll.order, 0}, Variant(variant));
  const fs::path pdf = scratch / (variant + (floor ? "-floor-" : "-") + std::to_string(n) + ".pdf");
  ResetPeak();
  const long before = StatusKb("VmRSS");
  const QString pictures = QString::fromStdString(scratch.string());
  double cpu = 0, wall = 0, cuts = 0;
  if (floor) {
    const auto pages = RecordJob(job, RecordingCanvas::kLetterPdf, {kW2CopyPicture});
    DrawFloor(pages, QString::fromStdString(pdf.string()), pictures, cpu, wall);
  } else {
    // The list of what would be cut, as formet-cli and the desktop make it
    // before printing; then the printing.
    const Timer listing;
    if (!ListCuts(job, PdfGeometry(PdfMargins{})).Empty()) return 1;
    cuts = listing.Cpu();
    const Timer timer;
    if (!WriteJobToPdf(job, QString::fromStdString(pdf.string()), PdfMargins{}, pictures, "Form W-2")) return 1;
    cpu = timer.Cpu();
    wall = timer.Wall();
  }
  std::printf("%.6f %.6f %llu %ld %ld %.6f\n", cpu, wall, static_cast<unsigned long long>(fs::file_size(pdf)), before,
              StatusKb("VmHWM"), cuts);
  fs::remove(pdf);
  return 0;
}

struct Result {
  double seconds = 0;  // processor time
  double wall = 0;
  unsigned long long bytes = 0;
  long peakKb = 0;       // the whole process
  long dataKb = 0;       // resident before printing: the records, Qt
  long printKb = 0;      // the rise of the peak while printing
  double cuts = 0;       // processor time of the list of cut values
};

Result RunChild(const char* self, const std::string& variant, int n, bool floor, const fs::path& scratch) {
  int fds[2];
  if (pipe(fds) != 0) std::exit(1);
  const pid_t pid = fork();
  if (pid == 0) {
    close(fds[0]);
    dup2(fds[1], STDOUT_FILENO);
    execl(self, self, "--child", variant.c_str(), std::to_string(n).c_str(), floor ? "floor" : "ours",
          scratch.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }
  close(fds[1]);
  char buf[256] = {};
  ssize_t got = 0, r;
  while ((r = read(fds[0], buf + got, sizeof buf - 1 - static_cast<size_t>(got))) > 0) got += r;
  close(fds[0]);
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  Result result;
  long after = 0;
  if (std::sscanf(buf, "%lf %lf %llu %ld %ld %lf", &result.seconds, &result.wall, &result.bytes, &result.dataKb,
                  &after, &result.cuts) != 6) {
    std::fprintf(stderr, "child %s %d failed\n", variant.c_str(), n);
    std::exit(1);
  }
  result.peakKb = usage.ru_maxrss;
  result.printKb = after - result.dataKb;
  return result;
}

// A stand-in for the W-2 copy artwork: 1980 x 1340 tenths of a millimetre at
// 300 dots per inch, monochrome, with a frame and some rules.
void WriteStandInPicture(const fs::path& scratch) {
  QImage art(2339, 1583, QImage::Format_Mono);
  art.fill(1);
  QPainter p(&art);
  p.setPen(QPen(Qt::black, 4));
  p.drawRect(40, 40, 2259, 1500);
  for (int y = 140; y < 1500; y += 100) p.drawLine(40, y, 2299, y);
  p.end();
  art.save(QString::fromStdString((scratch / kW2CopyPicture).string()), "BMP");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 6 && std::string(argv[1]) == "--child")
    return Measure(argv[2], std::atoi(argv[3]), std::string(argv[4]) == "floor", argv[5]);

  std::vector<int> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
  if (counts.empty()) counts = {100, 1000, 10000};
  const fs::path scratch = fs::temp_directory_path() / ("formet-print-bench-" + std::to_string(getpid()));
  fs::create_directories(scratch);
  {
    static int qargc = 1;
    static char name[] = "print_bench";
    static char* qargv[] = {name, nullptr};
    const pid_t pid = fork();  // the picture is written by a child, so this process stays free of Qt
    if (pid == 0) {
      qputenv("QT_QPA_PLATFORM", "offscreen");
      QGuiApplication app(qargc, qargv);
      WriteStandInPicture(scratch);
      _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
  }

  std::printf("%-8s %7s %8s %8s %8s %6s %7s %7s %8s %8s %8s %9s %7s\n", "variant", "forms", "cpu s", "ms/form",
              "floor s", "ratio", "wall s", "MB", "KB/form", "peak MB", "data MB", "print MB", "cuts s");
  for (const std::string variant : {"red-ink", "copy-b"}) {
    for (int n : counts) {
      const Result ours = RunChild(argv[0], variant, n, false, scratch);
      const Result floor = RunChild(argv[0], variant, n, true, scratch);
      std::printf("%-8s %7d %8.3f %8.4f %8.3f %6.2f %7.2f %7.2f %8.3f %8.1f %8.1f %9.1f %7.3f\n", variant.c_str(), n,
                  ours.seconds, ours.seconds * 1000 / n, floor.seconds, ours.seconds / floor.seconds, ours.wall,
                  ours.bytes / 1e6, ours.bytes / 1024.0 / n, ours.peakKb / 1024.0, ours.dataKb / 1024.0,
                  ours.printKb / 1024.0, ours.cuts);
      std::fflush(stdout);
    }
  }
  fs::remove_all(scratch);
  return 0;
}
