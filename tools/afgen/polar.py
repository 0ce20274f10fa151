"""Section polars from xfoil, extended to +-90 degrees, and the tables of an
airfoil file built from them. Shared by the generator and the check tool."""
import math
import os
import subprocess
import tempfile

CD_PLATE = 1.98  # two-dimensional flat plate broadside to the flow


def grid_angle(k):
    """Angle of grid entry k (0..270): tenths of a degree to 20, then whole degrees."""
    return k / 10.0 if k <= 200 else float(k - 180)


def run_xfoil(naca, re, start, stop, step, iters=200):
    """Runs xfoil on one sweep from `start` to `stop`; returns [(alpha, cl, cd, cm)]
    for the points that converged. xfoil needs a display: run under xvfb-run."""
    with tempfile.TemporaryDirectory() as tmp:
        polar = os.path.join(tmp, "polar.txt")
        script = "\n".join([
            "NACA %s" % naca, "PANE", "OPER", "VISC %g" % re, "ITER %d" % iters,
            "PACC", polar, "", "ASEQ %g %g %g" % (start, stop, step), "PACC", "", "QUIT", ""])
        subprocess.run(["xvfb-run", "-a", "xfoil"], input=script, text=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=600, check=False,
                       cwd=tmp)  # xfoil leaves boundary-layer dumps in its folder
        rows = []
        if not os.path.exists(polar):
            return rows
        with open(polar) as f:
            body = False
            for line in f:
                if line.strip().startswith("------"):
                    body = True
                    continue
                if not body:
                    continue
                parts = line.split()
                if len(parts) >= 5:
                    rows.append(tuple(float(v) for v in (parts[0], parts[1], parts[2], parts[4])))
        return rows


def xfoil_polar(naca, re):
    """Both sweeps from zero outward (zero is where xfoil converges best)."""
    pos = run_xfoil(naca, re, 0, 24, 0.25)
    neg = run_xfoil(naca, re, 0, -20, -0.25)
    pts = {}
    for a, cl, cd, cm in pos + neg:
        pts[round(a, 3)] = (cl, cd, cm)
    return sorted((a,) + v for a, v in pts.items())


def lerp_table(pts, a, col):
    """Straight-line interpolation in the sorted polar; None outside it."""
    if a < pts[0][0] - 1e-9 or a > pts[-1][0] + 1e-9:
        return None
    for i in range(len(pts) - 1):
        a0, a1 = pts[i][0], pts[i + 1][0]
        if a0 - 1e-9 <= a <= a1 + 1e-9:
            if a1 == a0:
                return pts[i][col]
            w = (a - a0) / (a1 - a0)
            return pts[i][col] * (1 - w) + pts[i + 1][col] * w
    return pts[-1][col]


def contiguous(pts, limit):
    """Keeps the run of points around zero without gaps wider than `limit` degrees
    (a hole in a sweep means xfoil lost the solution there)."""
    zero = min(range(len(pts)), key=lambda i: abs(pts[i][0]))
    lo = hi = zero
    while lo > 0 and pts[lo][0] - pts[lo - 1][0] <= limit:
        lo -= 1
    while hi < len(pts) - 1 and pts[hi + 1][0] - pts[hi][0] <= limit:
        hi += 1
    return pts[lo:hi + 1]


def viterna(a_deg, a_s, cl_s, cd_s):
    """Flat-plate type extension past the anchor angle a_s (positive side)."""
    s, c = math.sin(math.radians(a_s)), math.cos(math.radians(a_s))
    a2 = (cl_s - CD_PLATE * s * c) * s / (c * c)
    b2 = (cd_s - CD_PLATE * s * s) / c
    x = math.radians(a_deg)
    sx, cx = math.sin(x), math.cos(x)
    cl = CD_PLATE / 2 * math.sin(2 * x) + a2 * cx * cx / sx
    cd = CD_PLATE * sx * sx + b2 * cx
    return cl, cd


def smooth(t):
    t = min(max(t, 0.0), 1.0)
    return t * t * (3 - 2 * t)


class Section:
    """The polar of one airfoil at one Reynolds number, over -90..+90 degrees."""

    def __init__(self, pts, tunnel_stall=None):
        self.pts = contiguous(pts, 1.01)
        pos = [p for p in self.pts if p[0] >= 0]
        neg = [p for p in self.pts if p[0] <= 0]
        # Stall: the angle of greatest lift on each side of zero.
        self.stall_pos = max(pos, key=lambda p: p[1])[0]
        self.stall_neg = min(neg, key=lambda p: p[1])[0]
        # Past stall xfoil's solutions wander; trust them to 2 degrees beyond it.
        self.end_pos = min(self.stall_pos + 2, pos[-1][0])
        # xfoil rounds the top of the lift curve off and stalls some degrees
        # late; where the wind tunnel's stalling angle is known, the polar ends
        # there and the lift falls away past it without being held.
        self.tunnel = tunnel_stall is not None and tunnel_stall < self.stall_pos
        if self.tunnel:
            self.stall_pos = self.end_pos = float(tunnel_stall)
        self.end_neg = max(self.stall_neg - 2, neg[0][0])
        self.anchor_pos = self._raw(self.end_pos)
        self.anchor_neg = self._raw(self.end_neg)
        fit = [p for p in self.pts if -10 <= p[0] <= 10]
        n = len(fit)
        sx = sum(p[0] for p in fit)
        sy = sum(p[1] for p in fit)
        sxx = sum(p[0] * p[0] for p in fit)
        sxy = sum(p[0] * p[1] for p in fit)
        self.clM = (n * sxy - sx * sy) / (n * sxx - sx * sx)
        self.clB = (sy - self.clM * sx) / n

    def _raw(self, a):
        return (lerp_table(self.pts, a, 1), lerp_table(self.pts, a, 2), lerp_table(self.pts, a, 3))

    def cl_cd(self, a):
        """Lift and drag at any angle: xfoil inside its trusted range, then the
        flat-plate model blended in over ten degrees."""
        if self.end_neg <= a <= self.end_pos:
            cl, cd, _ = self._raw(a)
            return cl, cd
        if a > 0:
            a_s, (cl_s, cd_s, _) = self.end_pos, self.anchor_pos
            cl_v, cd_v = viterna(a, a_s, cl_s, cd_s)
        else:
            a_s, (cl_s, cd_s, _) = self.end_neg, self.anchor_neg
            cl_v, cd_v = viterna(-a, -a_s, -cl_s, cd_s)
            cl_v = -cl_v
        # Held stall values fade into the flat plate, so the join has no kink.
        w = 1.0 if (a > 0 and self.tunnel) else smooth(abs(a - a_s) / 10.0)
        cl = cl_s * (1 - w) + cl_v * w
        cd = cd_s * (1 - w) + cd_v * w
        if abs(a) >= 89.999:
            cl = 0.0
        return cl, max(cd, 0.0)

    def cm_at(self, a):
        v = lerp_table(self.pts, a, 3)
        return v

    def normal_force(self, a):
        cl, cd = self.cl_cd(a)
        x = math.radians(a)
        return cl * math.cos(x) + cd * math.sin(x)

    def moment_law(self):
        """cmal2, cmal3 bound the straight middle of the moment curve; cm1..cm4
        are the moments at -20, cmal2, cmal3 and +20 degrees. Past stall the
        centre of pressure sits near 41 % chord, as on a flat plate."""
        cmal2 = math.ceil(self.stall_neg + 3)
        cmal3 = math.floor(self.stall_pos - 3)
        cm2 = self.cm_at(cmal2)
        cm3 = self.cm_at(cmal3)
        cm4 = -0.16 * self.normal_force(20.0)
        cm1 = -0.16 * self.normal_force(-20.0)
        return float(cmal2), float(cmal3), cm1, cm2, cm3, cm4


def write_afl(path, label, thickness, re_meg, sec):
    """Writes the airfoil file read by the simulator (version 363, mark 1234)."""
    lines = ["I", "363 version", "1234 airfoil mark",
             "%s %.3f %.2f 0.0 %.2f label, thickness, Reynolds number (millions), unused, stalling angle"
             % (label, thickness, re_meg, sec.stall_pos),
             "negative side: angle, lift, drag (lift from the linear law inside 10 degrees)"]
    for k in range(270, 99, -1):
        a = -grid_angle(k)
        cl, cd = sec.cl_cd(a)
        lines.append("%s %.5f %.5f" % (fmt_angle(k, -1), cl, cd))
    for k in range(99, -1, -1):
        cl, cd = sec.cl_cd(-grid_angle(k))
        lines.append("%s %.5f" % (fmt_angle(k, -1), cd))
    cmal2, cmal3, cm1, cm2, cm3, cm4 = sec.moment_law()
    lines += ["%.6f clM lift slope per degree" % sec.clM, "%.6f clB lift at zero angle" % sec.clB,
              "%.2f cmal2" % cmal2, "%.2f cmal3" % cmal3, "%.5f cm1 at -20 deg" % cm1,
              "%.5f cm2 at cmal2" % cm2, "%.5f cm3 at cmal3" % cm3, "%.5f cm4 at +20 deg" % cm4,
              "positive side: angle, drag, then angle, lift, drag from 10 degrees"]
    for k in range(0, 100):
        cl, cd = sec.cl_cd(grid_angle(k))
        lines.append("%s %.5f" % (fmt_angle(k, 1), cd))
    for k in range(100, 271):
        cl, cd = sec.cl_cd(grid_angle(k))
        lines.append("%s %.5f %.5f" % (fmt_angle(k, 1), cl, cd))
    with open(path, "w", newline="\n") as f:
        f.write("\n".join(lines) + "\n")


def fmt_angle(k, sign):
    if k <= 200:
        s = "%.1f" % (k / 10.0)
    else:
        s = "%d" % (k - 180)
    return ("-" + s) if sign < 0 else s


def read_afl(path):
    """Reads an airfoil file back: {'re','amax','clM','clB','pos':{angle:(cl,cd)},'neg':...}."""
    with open(path) as f:
        lines = f.read().splitlines()
    head = lines[3].split()
    out = {"re": float(head[2]), "amax": float(head[4]), "pos": {}, "neg": {}}
    i = 5
    for k in range(270, -1, -1):
        v = lines[i].split(); i += 1
        out["neg"][float(v[0])] = (float(v[1]), float(v[2])) if k >= 100 else (None, float(v[1]))
    out["clM"] = float(lines[i].split()[0]); out["clB"] = float(lines[i + 1].split()[0])
    i += 9
    for k in range(0, 271):
        v = lines[i].split(); i += 1
        out["pos"][float(v[0])] = (float(v[1]), float(v[2])) if k >= 100 else (None, float(v[1]))
    return out
