#pragma once
// How long OpenService takes to find the register, and an open and claim at the right port,
// on a machine with 32 COM ports: on the virtual line, and in real time on pseudo-terminals
// with ornsim. Each prints "name: value" lines for tools/benchmark:
//   open-silent-32-ports-ms    a silent register on COM1, nothing on the other 31 ports
//   open-found-elsewhere-ms    the key says COM1 at 115200, the register is on COM17 at 9600
//   open-claim-right-port-ms   OpenService and ClaimDevice at the configured port and rate,
//                              with the wire time of the exchanges they need beside it

namespace orn::benchmarks {

// All three on the virtual line.
bool VirtualOpenFigures();

// One of them on pseudo-terminals ("silent", "elsewhere" or "claim"): `simulator` is the
// terminal of the ornsim the figure needs (silent; at 9600; at 115200, paced); the other
// ports are terminals of this program's own that nobody answers on.
bool PtyOpenFigure(const char* which, const char* simulator);

}  // namespace orn::benchmarks
