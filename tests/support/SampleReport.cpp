#include "support/SampleReport.h"

#include <gtest/gtest.h>

namespace vl::test {

std::string ReportPostScript()
{
    // The photograph is a smooth pattern of greys, as a scanned picture
    // has: nothing in it lines up with the fax's dots.
    return R"PS(%!PS
<< /PageSize [595 842] >> setpagedevice
72 760 moveto /Helvetica-Bold findfont 28 scalefont setfont (Quarterly report) show
/Helvetica findfont 14 scalefont setfont
/y 720 def
[(Dear Ann,) () (The figures for the third quarter are in the table on the next page,)
 (and the photograph of the new workshop is on the last one. Sales rose in)
 (every region but the north, where the new branch opened only in August.)
 () (With kind regards,) (Bob Jones)]
{ 72 y moveto show /y y 22 sub def } forall
showpage
<< /PageSize [595 842] >> setpagedevice
/Helvetica-Bold findfont 20 scalefont setfont 72 760 moveto (Sales by region) show
/Helvetica findfont 14 scalefont setfont
1.5 setlinewidth
0 1 5 { 30 mul 720 exch sub dup 72 exch moveto 522 exch lineto stroke } for
[72 222 372 522] { dup 720 moveto 570 lineto stroke } forall
/cells [[(Region) (Q2) (Q3)] [(North) (1,204) (1,187)] [(South) (2,310) (2,845)]
        [(East) (980) (1,122)] [(West) (1,655) (1,903)]] def
0 1 4 { /r exch def 0 1 2 { /c exch def c 150 mul 80 add 720 r 30 mul sub 21 sub moveto cells r get c get show } for } for
showpage
<< /PageSize [595 842] >> setpagedevice
/Helvetica findfont 14 scalefont setfont 72 760 moveto (The new workshop) show
/w 240 def /h 180 def /row w string def /y 0 def
gsave 72 300 translate 451 338 scale
w h 8 [w 0 0 h neg 0 h]
{ 0 1 w 1 sub { /x exch def row x
    x 3 mul sin y 5 mul cos mul 70 mul x w div 120 mul add 60 add cvi 0 max 255 min put } for
  /y y 1 add def row } image
grestore
showpage
)PS";
}

RunResult RunGhostscript(const std::vector<std::string>& args)
{
    std::vector<std::string> shell = {"-c", "exec gs -q -dSAFER -dBATCH -dNOPAUSE \"$@\"", "gs"};
    shell.insert(shell.end(), args.begin(), args.end());
    return Run("/bin/sh", shell);
}

std::string MakeReportPdf(const std::string& folder)
{
    WriteFile(folder + "report.ps", ReportPostScript());
    const RunResult made =
        RunGhostscript({"-sDEVICE=pdfwrite", "-sOutputFile=" + folder + "report.pdf", folder + "report.ps"});
    if (made.status != 0) {
        ADD_FAILURE() << "Ghostscript made no PDF: " << made.err;
        return {};
    }
    return folder + "report.pdf";
}

}  // namespace vl::test
