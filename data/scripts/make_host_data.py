#!/usr/bin/env python3
"""Writes the installation data of wizhost: the solver defaults (.def) and
range (.rng) files, the machine files, the material library and the sample
project. Run from the repository root; the files it writes are committed.

    python3 data/scripts/make_host_data.py

Values are SI with temperatures in deg.C: pressures in Pa, lengths in m,
times in s, flow rates in m^3/s, forces in N, densities in kg/m^3, specific
heats in J/(kg K), conductivities in W/(m K).
"""
import math
import os
import zlib

ROOT = os.path.normpath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
DATA = os.path.join(ROOT, "data")


def write(path, text, crlf=True):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    if crlf:
        text = text.replace("\r\n", "\n").replace("\n", "\r\n")
    with open(path, "wb") as f:
        f.write(text.encode("utf-8"))


def fmt(v):
    """The keyword files' real format: %G with the exponent's zeros removed."""
    if isinstance(v, str):
        return v
    if isinstance(v, bool):
        return "ON" if v else "OFF"
    if isinstance(v, int):
        return "%d" % v
    s = "%G" % v
    if "E" in s:
        mant, exp = s.split("E")
        sign = exp[0]
        digits = exp[1:].lstrip("0") or "0"
        s = mant + "E" + sign + digits
    return s


def keyword_file(title, entries):
    lines = ["# " + t for t in title.split("\n")]
    for k, v in entries:
        lines.append("%s: %s" % (k, fmt(v)))
    return "\n".join(lines) + "\n"


# ---------------------------------------------------------------- solver files
# (keyword, default or None, range text or None)

T_MELT = "[100:450]"
T_MOLD = "[-10:250]"
P_ANY = "(0:5E+8]"
TIME = "(0:10000]"
# Percentages are held as fractions (0.5 is 50 %) and angles in radians.
FRACTION = "[0:1]"
FRACTION_POS = "(0:1]"
# The upper bound is rounded up, so that a right angle typed in degrees passes.
RIGHT_ANGLE = "(0:1.570797]"
STRAIGHT_ANGLE = "(0:3.141593]"
COUNT = "[1:10000]"
TOL = "(0:1]"


def flow_common(p):
    """Keywords every flow program carries; `p` is the solver prefix."""
    rows = [
        ("MELT_TEMPERATURE", 230.0, T_MELT),
        ("MOLD_TEMPERATURE", 50.0, T_MOLD),
        ("INJECTION", "AUTOMATIC", None),
        ("INJECTION_FLOW_RATE", 5e-5, "(0:0.01]"),
        ("INJECTION_TIME", 1.0, "(0:100]"),
        (p + "VELOCITY_PRESSURE_TRANSITION", "AUTOMATIC", None),
        (p + "VELOCITY_PRESSURE_TRANSITION_PERCENTAGE_VOLUME", 0.99, "[0.5:1]"),
        (p + "VELOCITY_PRESSURE_TRANSITION_PRESSURE_AT_A_NODE", None, P_ANY),
        (p + "VELOCITY_PRESSURE_TRANSITION_SPECIFIED_TIME", 1.0, "(0:100]"),
        (p + "PRESSURE_CONTROL", "FACTOR", None),
        (p + "PRESSURE_CONTROL_FACTOR", 80.0, "(0:200]"),
        (p + "PRESSURE_CONTROL_SPECIFIED", 5e7, P_ANY),
        (p + "FILL_INJECTION_PROFILE", "FLOW_VOL", None),
        (p + "FILL_INJECTION_PROFILE_FLOW_VOL", "0 1 \\\n1 1", FRACTION),
        (p + "FILL_INJECTION_PROFILE_FLOW_VOL_NOMINAL", "FLOW_RATE", None),
        (p + "FILL_INJECTION_PROFILE_FLOW_VOL_NOMINAL_FLOW_RATE", 5e-5, "(0:0.01]"),
        (p + "FILL_INJECTION_PROFILE_FLOW_VOL_NOMINAL_TIME", 1.0, "(0:100]"),
        (p + "FILL_INJECTION_PROFILE_FLOW_VOL_NOMINAL_RESCALE_TIME", 1.0, "(0:100]"),
        (p + "RAM", "AUTOMATIC", None),
        (p + "RAM_SPECIFIED_DIAMETER", 0.035, "[0.01:0.2]"),
        (p + "RAM_SPECIFIED_STROKE_LENGTH", 0.1, "(0:1]"),
        (p + "PRESSURE_CONTROL_PROFILE", "PRESSURE", None),
        (p + "PRESSURE_CONTROL_PROFILE_PRESSURE", "5e+07 10", P_ANY),
        (p + "PRESSURE_CONTROL_PROFILE_FACTOR", "80 10", "(0:200]"),
        ("ENVIRONMENT_PRESSURE", 101325.0, "(0:1E+7]"),
        ("ENVIRONMENT_TEMPERATURE", 25.0, "[-40:80]"),
        (p + "MAXIMUM_CLAMP_TONNAGE_OPTIONS", "AUTOMATIC", None),
        (p + "MAXIMUM_CLAMP_TONNAGE", 9.80665e5, "(0:1E+8]"),
        (p + "MOLD_CONDUCTIVITY", 29.0, "(0:500]"),
        (p + "MOLD_DENSITY", 7800.0, "(0:20000]"),
        (p + "MOLD_HEAT_CAPACITY", 460.0, "(0:5000]"),
        (p + "MAXIMUM_INJECTION_PRESSURE", 1.8e8, P_ANY),
        (p + "PLASTIC_LAMINATES", 12, "[5:50]"),
        (p + "METAL_LAMINATES", 8, "[2:50]"),
        (p + "GRID_RATIO", 1.2, "[1:3]"),
        ("ANALYSIS_DESCRIPTION", None, None),
    ]
    return rows


def midplane_flow():
    p = "3DFLOW_"
    rows = [(p + "ANALYSIS_AIM", "PACKING", None)] + flow_common(p) + [
        # No ranges: the flow wizard derives them from the material's
        # no-flow temperature, and a range file entry would replace those.
        ("3DFLOW_MOLD_WINDOW_MELT_TEMPERATURE_LOWER_LIMIT", 200.0, None),
        ("3DFLOW_MOLD_WINDOW_MELT_TEMPERATURE_UPPER_LIMIT", 280.0, None),
        ("3DFLOW_MOLD_WINDOW_MOLD_TEMPERATURE_LOWER_LIMIT", 20.0, None),
        ("3DFLOW_MOLD_WINDOW_MOLD_TEMPERATURE_UPPER_LIMIT", 80.0, None),
        ("3DFLOW_RUN_PRESSURE", 5e7, P_ANY),
        ("3DFLOW_ANALYSIS_TYPE", "MULTI", None),
        ("3DFLOW_FILL_NODAL_GROWTH_MECHANISM", "FAST", None),
        ("3DFLOW_FILL_NODAL_GROWTH_MECHANISM_MULTIPLE", 0.02, FRACTION_POS),
        ("3DFLOW_FILL_NODAL_GROWTH_MECHANISM_STEP", 0.05, "(0:10]"),
        ("3DFLOW_PRESSURE_ITERATION_LIMIT", 100, COUNT),
        ("3DFLOW_PRESSURE_ITERATION_TOLERANCE", 1e-4, TOL),
        ("3DFLOW_VISCOSITY_ITERATION_LIMIT", 20, COUNT),
        ("3DFLOW_VISCOSITY_ITERATION_TOLERANCE", 1e-3, TOL),
        ("3DFLOW_DENSITY_ITERATION_LIMIT", 20, COUNT),
        ("3DFLOW_DENSITY_ITERATION_TOLERANCE", 1e-3, TOL),
        ("3DFLOW_FILL_INTERMEDIATE", "CONSTANT_TIME", None),
        ("3DFLOW_FILL_INTERMEDIATE_CONSTANT_TIME", 20, "[1:1000]"),
        ("3DFLOW_FILL_INTERMEDIATE_CONSTANT_VOLUME", 20, "[1:1000]"),
        ("3DFLOW_FILL_INTERMEDIATE_SPECIFIED_TIMES", None, TIME),
        ("3DFLOW_FILL_INTERMEDIATE_SPECIFIED_VOLUMES", None, FRACTION_POS),
        ("3DFLOW_FILL_TIME_SERIES", "CONSTANT_TIME", None),
        ("3DFLOW_FILL_TIME_SERIES_CONSTANT_TIME", 20, "[1:1000]"),
        ("3DFLOW_FILL_TIME_SERIES_CONSTANT_VOLUME", 20, "[1:1000]"),
        ("3DFLOW_FILL_RESTART", "CONSTANT_VOLUME", None),
        ("3DFLOW_FILL_RESTART_CONSTANT_TIME", 5, "[1:100]"),
        ("3DFLOW_FILL_RESTART_CONSTANT_VOLUME", 5, "[1:100]"),
        ("3DFLOW_FILL_RESTART_DELETION", False, None),
        ("3DFLOW_PACK_INTERMEDIATE", "CONSTANT_TIME", None),
        ("3DFLOW_PACK_INTERMEDIATE_CONSTANT_TIME", 20, "[1:1000]"),
        ("3DFLOW_PACK_INTERMEDIATE_SPECIFIED_TIMES", None, TIME),
        ("3DFLOW_PACK_TIME_SERIES", "CONSTANT_TIME", None),
        ("3DFLOW_PACK_TIME_SERIES_CONSTANT_TIME", 20, "[1:1000]"),
        ("3DFLOW_PACK_RESTART", "CONSTANT_TIME", None),
        ("3DFLOW_PACK_RESTART_CONSTANT_TIME", 5, "[1:100]"),
        ("3DFLOW_PACK_RESTART_DELETION", False, None),
        ("3DFLOW_PACK_TIME_INCREMENT", 0.1, "(0:10]"),
        ("3DFLOW_ABAQUS_INTERFACE", False, None),
        ("3DFLOW_RUN_ITERATION_LIMIT", 20, "[1:200]"),
        ("3DFLOW_RUN_SHEAR_HEAT_MAX", 30.0, "(0:150]"),
        ("3DFLOW_RUN_SMOOTH_SECTIONS", True, None),
        ("3DFLOW_RUN_PRESSURE_TOLERANCE", 1e6, "(0:1E+8]"),
        ("3DFLOW_RUN_SECTION_TOLERANCE", 0.01, TOL),
        ("3DFLOW_RUN_TIME_TOLERANCE", 0.01, FRACTION_POS),
        ("3DFLOW_RUN_ITERATION_RESULTS", False, None),
        ("3DFLOW_MAXIMUM_INJECTION_PRESSURE_OPTIONS", "AUTOMATIC", None),
        ("3DFLOW_GATE_2D_SCAN_QUALITY_PROCESSIBLE", 1.0, "[0:10]"),
        ("3DFLOW_GATE_2D_SCAN_QUALITY_PACKABILITY", 1.0, "[0:10]"),
        ("3DFLOW_GATE_2D_SCAN_QUALITY_GEOMETRIC_RESISTANCE", 1.0, "[0:10]"),
        # Molding-window quality criteria: feasible and preferred limits.
        ("3DFLOW_MOLD_WINDOW_PRESSURE_LIMIT", 80.0, "(0:100]"),
        ("3DFLOW_MOLD_WINDOW_HIGH_TEMPERATURE", 20.0, "[0:100]"),
        ("3DFLOW_MOLD_WINDOW_LOW_TEMPERATURE", 10.0, "[0:100]"),
        ("3DFLOW_MOLD_WINDOW_SHEAR_RATE", 100.0, "(0:100]"),
        ("3DFLOW_MOLD_WINDOW_SHEAR_STRESS", 100.0, "(0:100]"),
    ] + mold_window_rows()
    return rows


def mold_window_rows():
    # The advanced sheet's molding-window criteria: each limit with the
    # switch that turns it on. Only the pressure limits are on by default;
    # the others have ranges but no value until the user asks for them.
    rows = []
    for which in ("FEASIBLE", "PREFERRED"):
        for name, value, rng in (("PRESSURE_LIMIT", 100.0 if which == "FEASIBLE" else 80.0, "(0:100]"),
                                 ("HIGH_TEMPERATURE", None, "[0:400]"),
                                 ("LOW_TEMPERATURE", None, "[0:400]"),
                                 ("SHEAR_RATE", None, "(0:100]"),
                                 ("SHEAR_STRESS", None, "(0:100]")):
            stem = "3DFLOW_MOLD_WINDOW_" + which
            rows.append((stem + "_USE_" + name, value is not None, None))
            rows.append((stem + "_" + name, value, rng))
    rows.append(("3DFLOW_MOLD_WINDOW_DISPLAY", "REFINED", None))
    return rows


def gas_rows():
    return [
        ("3DFLOW_GAS_PROCESS", "CONSTANT_PRESSURE", None),
        ("3DFLOW_GAS_NOZZLE_SHUT_OFF", "NEVER", None),
        ("3DFLOW_GAS_NOZZLE_SHUT_OFF_TIME", 5.0, TIME),
        ("3DFLOW_GAS_NOZZLE_SHUT_OFF_PERCENTAGE_VOLUME", 1.0, FRACTION_POS),
        ("3DFLOW_COOLING_TIME", 20.0, TIME),
    ] + gas_cylinder_ranges()


def gas_cylinder_ranges():
    """The gas cylinders' parameters have no defaults, only ranges: those of
    the cylinder numbers a set may name (1 to 8)."""
    rows = []
    for n in range(1, 9):
        c = "3DFLOW_GAS_CYLINDER%d_" % n
        rows += [(c + "DELAY_TIME", None, "[0:100]"), (c + "VOLUME", None, "(0:0.01]"),
                 (c + "COMPRESSION_RATIO", None, "(0:1]"), (c + "PIPE_VOLUME", None, "[0:0.01]"),
                 (c + "INITIAL_PRESSURE", None, P_ANY), (c + "PISTON_FORWARD_TIME", None, "[0:100]"),
                 (c + "GAS_RELEASE_TIME", None, "[0:1000]"), (c + "GAS_PRESSURE_PROFILE", None, P_ANY)]
    return rows


def fiber_rows():
    return [
        ("3DFLOW_FIBER_ADVECTION_ITERATION_LIMIT", 50, COUNT),
        ("3DFLOW_FIBER_KINETIC_TIME_STEP_FACTOR", 1.0, "(0:10]"),
    ]


def thermoset_rows():
    return [
        ("3DFLOW_ANALYSIS_AIM", "CURING", None),
        ("MELT_TEMPERATURE", 90.0, "[20:200]"),
        ("MOLD_TEMPERATURE", 175.0, "[20:250]"),
        ("3DFLOW_TSET_CURING_TIME", 90.0, TIME),
        ("3DFLOW_IDC_TSET_TRANSFER_POT_ANALYSIS", False, None),
        ("3DFLOW_TSET_TRANSFER_POT_DIAMETER", 0.05, "(0:0.5]"),
        ("3DFLOW_TSET_HEATING_LINE_TEMPERATURE", 175.0, "[20:250]"),
        ("3DFLOW_TSET_TRANSFER_POT_DWELL_TIME", 10.0, "[0:600]"),
        ("3DFLOW_TSET_TRANSFER_POT_LENGTH", 0.1, "(0:1]"),
        ("3DFLOW_TSET_TRANSFER_POT_EDGE_TO_HEATING_LINE_DISTANCE", 0.01, "[0:0.5]"),
        ("3DFLOW_TSET_TRANSFER_POT_METAL_CONDUCTIVITY", 30.0, "(0:500]"),
        ("3DFLOW_TSET_TRANSFER_POT_METAL_DENSITY", 7800.0, "(0:20000]"),
        ("3DFLOW_TSET_TRANSFER_POT_METAL_SPECIFIC_HEAT", 460.0, "(0:5000]"),
        ("3DFLOW_TSET_TRANSFER_POT_PLASTIC_CONDUCTIVITY", 0.6, "(0:10]"),
        ("3DFLOW_TSET_TRANSFER_POT_PLASTIC_DENSITY", 1900.0, "(0:5000]"),
        ("3DFLOW_TSET_TRANSFER_POT_PLASTIC_SPECIFIC_HEAT", 1200.0, "(0:5000]"),
        ("3DFLOW_TSET_CONSIDER_CURING_EFFECTS", True, None),
        ("3DFLOW_TSET_INITIAL_CURING_TIME_INCREMENT", 0.1, "(0:10]"),
        ("3DFLOW_TSET_CURING_REACTION_STABILITY_FACTOR", 1.0, "(0:10]"),
        ("3DFLOW_CURE_INTERMEDIATE", "CONSTANT_TIME", None),
        ("3DFLOW_CURE_INTERMEDIATE_CONSTANT_TIME", 20, "[1:1000]"),
        ("3DFLOW_CURE_TIME_SERIES", "CONSTANT_TIME", None),
        ("3DFLOW_CURE_TIME_SERIES_CONSTANT_TIME", 20, "[1:1000]"),
        ("3DFLOW_CURE_RESTART", "CONSTANT_TIME", None),
        ("3DFLOW_CURE_RESTART_CONSTANT_TIME", 5, "[1:100]"),
        ("3DFLOW_CURE_RESTART_DELETION", False, None),
    ]


def optim_rows():
    return [
        ("3DFLOW_ANALYSIS_AIM", "OPTIMUM_FILL_PROFILE", None),
        ("3DFLOW_OPTIM_QUALITY_WARPAGE", 1.0, "[0:10]"),
        ("3DFLOW_OPTIM_QUALITY_DIMENSIONAL_TOLERANCE", 1.0, "[0:10]"),
        ("3DFLOW_OPTIM_QUALITY_SINK_MARKS", 1.0, "[0:10]"),
        ("3DFLOW_OPTIM_FILLING_ITERATION_LIMIT", 10, "[1:100]"),
        ("3DFLOW_OPTIM_VELOCITY_MINIMUM_PROFILE_STEP_FACTOR", 0.1, "(0:1]"),
        ("3DFLOW_OPTIM_MAXIMUM_PACKING_PRESSURE_OPTIONS", "AUTOMATIC", None),
        ("3DFLOW_OPTIM_MAXIMUM_PACKING_PRESSURE", 1e8, P_ANY),
        ("3DFLOW_OPTIM_PRESSURE_PROFILE_INPUT_METHOD", "PRESSURE_TIME", None),
        ("3DFLOW_OPTIM_PRESSURE_PROFILE_STEPS", 5, "[1:20]"),
        ("3DFLOW_OPTIM_PRESSURE_PROFILE_TYPES_CONSTANT", True, None),
        ("3DFLOW_OPTIM_PRESSURE_PROFILE_TYPES_LINEAR", True, None),
        ("3DFLOW_OPTIM_VELOCITY_PROFILE_INPUT_METHOD", "RAM_POSITION_RAM_VELOCITY", None),
        ("3DFLOW_OPTIM_VELOCITY_PROFILE_MAXIMUM_SPEED", 1.0, FRACTION_POS),
        ("3DFLOW_OPTIM_VELOCITY_PROFILE_MINIMUM_SPEED", 0.1, FRACTION_POS),
        ("3DFLOW_OPTIM_VELOCITY_PROFILE_STEPS", 10, "[1:20]"),
        ("3DFLOW_OPTIM_VELOCITY_PROFILE_TYPES_CONSTANT", True, None),
        ("3DFLOW_OPTIM_VELOCITY_PROFILE_TYPES_LINEAR", True, None),
        ("MACHINE_DATABASE", "KEYWORD", None),
    ]


def flow3d_rows():
    p = "MOLD3D_"
    rows = [(p + "ANALYSIS_AIM", "FILL_AND_PACK", None)] + flow_common(p) + [
        ("MOLD3D_WRITE_INTERMEDIATE", "CONSTANT_TIME_INTERVALS", None),
        ("MOLD3D_WRITE_INTERMEDIATE_SPECIFIED_TIMES", None, TIME),
        ("MOLD3D_WRITE_INTERMEDIATE_CONSTANT_TIME_INTERVALS_VELOCITY", 10, "[1:1000]"),
        ("MOLD3D_WRITE_INTERMEDIATE_CONSTANT_TIME_INTERVALS_PRESSURE", 10, "[1:1000]"),
        ("MOLD3D_WRITE_RECOVERY_FILE", "NONE", None),
        ("MOLD3D_WRITE_RECOVERY_FILE_EVERY_NUMBER_OF_HOURS", 2.0, "(0:1000]"),
        ("MOLD3D_FILLING_ANALYSIS_TYPE", "INERTIA_FREE_FLOW", None),
        ("MOLD3D_FILLING_INCLUDE_INERTIA", False, None),
        ("MOLD3D_PACKING_TIME_STEP_MAXIMUM", 0.5, "(0:100]"),
        ("MOLD3D_PACKING_TIME_STEP_MINIMUM", 0.001, "(0:100]"),
        ("MOLD3D_PACKING_TIME_STEP_VARIATION", 0.1, "(0:1]"),
    ]
    for stage in ("MOLD3D_FILLING_", "MOLD3D_PACKING_"):
        rows += [
            (stage + "NUMBER_OF_FREE_SURFACE_TIMESTEPS", 100, "[10:10000]"),
            (stage + "PERCENTAGE_VOLUME_PER_TIME_STEP", 0.02, "(0:0.2]"),
            (stage + "ITERATIONS_PER_TIMESTEP", 10, "[1:1000]"),
            (stage + "NAVIER_STOKES_ITERATIONS_PER_TIMESTEP", 10, "[1:1000]"),
            (stage + "SOLVER_CONVERGENCE_TOTAL_SUM", 1e-3, TOL),
            (stage + "NAVIER_STOKES_SOLVER_CONVERGENCE_TOTAL_SUM", 1e-3, TOL),
            (stage + "SOLVER_PRESSURE_ITERATION_LIMIT", 200, COUNT),
            (stage + "NAVIER_STOKES_SOLVER_PRESSURE_ITERATION_LIMIT", 200, COUNT),
            (stage + "SOLVER_PRESSURE_RESIDUAL_TOLERANCE", 1e-6, TOL),
            (stage + "NAVIER_STOKES_SOLVER_PRESSURE_RESIDUAL_TOLERANCE", 1e-6, TOL),
            (stage + "SOLVER_TEMPERATURE_ITERATION_LIMIT", 200, COUNT),
            (stage + "SOLVER_TEMPERATURE_RESIDUAL_TOLERANCE", 1e-6, TOL),
            (stage + "NAVIER_STOKES_SOLVER_VELOCITY_ITERATION_LIMIT", 200, COUNT),
            (stage + "NAVIER_STOKES_SOLVER_VELOCITY_RESIDUAL_TOLERANCE", 1e-6, TOL),
        ]
    return rows


def merge(*groups):
    out, index = [], {}
    for g in groups:
        for row in g:
            if row[0] in index:
                out[index[row[0]]] = row
            else:
                index[row[0]] = len(out)
                out.append(row)
    return out


def cool3d_rows():
    return [
        ("3DCOOL_ANALYSIS_TYPE", "AUTOMATIC", None),
        ("3DCOOL_COOLING_TIME", 15.0, TIME),
        ("3DCOOL_FRACTION_PLASTIC_FROZEN", 0.9, FRACTION_POS),
        ("MELT_TEMPERATURE", 230.0, T_MELT),
        ("MOLD_TEMPERATURE", 50.0, T_MOLD),
        ("INJECTION_TIME", 1.0, "(0:100]"),
        ("3DCOOL_CLAMP_OPEN_TIME", 5.0, "[0:600]"),
        ("3DCOOL_PLASTIC_FREEZE_TEMPERATURE", None, "[0:400]"),
        ("3DCOOL_TOTAL_PACKING_TIME", 10.0, "[0:600]"),
        ("3DCOOL_NETWORK_ANALYSIS_TYPE", "CIRCUIT_DATA", None),
        ("3DCOOL_NETWORK_ANALYSIS_TYPE_TOTAL_PRESSURE_DROP", 2e5, "(0:1E+7]"),
        ("3DCOOL_NETWORK_ANALYSIS_TYPE_TOTAL_FLOW_RATE", 2e-4, "(0:0.1]"),
        ("3DCOOL_MOLD_DIMENSIONS", "AUTOMATIC", None),
        ("3DCOOL_MOLD_DIMENSIONS_SPECIFIED", None, "(0:10]"),
        ("3DCOOL_GEOMETRY_INFLUENCE", "AUTOMATIC", None),
        ("3DCOOL_GEOMETRY_INFLUENCE_PARAMETER", 1.0, "(0:10]"),
        ("3DCOOL_ITERATION_LIMIT", 50.0, "[1:1000]"),
        ("3DCOOL_SOLUTION_TOLERANCE", 1e-3, TOL),
        ("3DCOOL_REMOVE_TEMP_FILES", True, None),
        ("ANALYSIS_DESCRIPTION", None, None),
    ]


def cool2d_rows():
    return [
        ("MELT_TEMPERATURE", 230.0, T_MELT),
        ("MOLD_TEMPERATURE", 50.0, T_MOLD),
        ("2DCOOL_CYCLE_TIME", 30.0, TIME),
        ("2DCOOL_HEAT_CONTENT_FACTOR", 1.0, "(0:10]"),
        ("2DCOOL_THERMAL_CONDUCTIVITY", True, None),
        ("2DCOOL_SOLVER_ITERATION_ERROR", 1e-3, TOL),
        ("2DCOOL_SOLVER_ITERATION_LIMIT", 50.0, "[1:1000]"),
        ("ANALYSIS_DESCRIPTION", None, None),
    ]


def warp_rows():
    return [
        ("3DSTRUCT_ANALYSIS_AIM", "SMALL_DEFLECTION", None),
        ("3DSTRUCT_LARGE_DEFL_RESTART_STEP", 0, "[0:10000]"),
        ("3DSTRUCT_SHRINK_DATA_SOURCE", "MATERIAL_SHRINKAGE_DATA", None),
        ("3DSTRUCT_SVA_ANALYSIS_TYPE", "ALL", None),
        ("3DSTRUCT_SVA_SENSITIVITY_DIFFCOOL", 0.1, FRACTION_POS),
        ("3DSTRUCT_SVA_SENSITIVITY_DIFFSHRINK", 0.1, FRACTION_POS),
        ("3DSTRUCT_SVA_SENSITIVITY_DIFFORIEN", 0.1, FRACTION_POS),
        ("3DSTRUCT_SVA_EXCLUDE_CORNER_EFFECT", False, None),
        ("3DSTRUCT_LARGE_DEFL_CONTROL_METHOD", "AUTO", None),
        ("3DSTRUCT_LARGE_DEFL_MAX_NUMBER_STEPS", 50, "[1:1000]"),
        ("3DSTRUCT_LARGE_DEFL_MAX_STEP_FACTOR", 1.5, "[1:10]"),
        ("3DSTRUCT_LARGE_DEFL_AUTO_DISP_INCREMENT", 1e-4, "(0:0.1]"),
        ("3DSTRUCT_LARGE_DEFL_ARC_CONTROL_INCREMENT", 0.1, "(0:1]"),
        ("3DSTRUCT_LARGE_DEFL_MAX_LOAD_FACTOR", 1.0, "(0:100]"),
        ("3DSTRUCT_LARGE_DEFL_MAN_DISP_INCREMENTS", None, "(0:0.1]"),
        ("3DSTRUCT_LARGE_DEFL_MAN_DISP_NODE", None, "[1:)"),
        ("3DSTRUCT_LARGE_DEFL_MAN_NODE_DOF", 3, "[1:6]"),
        ("3DSTRUCT_LARGE_DEFL_LOAD_CONTROL_INCREMENTS", None, FRACTION_POS),
        ("3DSTRUCT_REMOVE_COLD_RUNNERS", True, None),
        ("3DSTRUCT_MATERIAL_MODEL", "ORTHOTROPIC", None),
        ("3DSTRUCT_ELEMENT", "LMT3", None),
        ("3DSTRUCT_OUTPUT_DISPLACEMENT", True, None),
        ("3DSTRUCT_OUTPUT_STRESS", True, None),
        ("3DSTRUCT_OUTPUT_STRAIN", False, None),
        ("3DSTRUCT_KEEP_RESTARTS", False, None),
        ("3DSTRUCT_CORNER_MAX_ANGLE", math.radians(120), STRAIGHT_ANGLE),
        ("3DSTRUCT_BAND_OPTIMISATION", True, None),
        ("3DSTRUCT_ELEMENT_GROUP_SIZE", 64, "[1:10000]"),
        ("3DSTRUCT_LARGE_DEFL_MISC_STEPS_BETWEEN_PRINTOUTS", 1, "[1:1000]"),
        ("3DSTRUCT_MAXIMUM_ANGLE_BETWEEN_FACETS", math.radians(15), RIGHT_ANGLE),
        ("3DSTRUCT_MINIMISE_STIFFNESS_BLOCKS", False, None),
        ("3DSTRUCT_IMPERFECTION_MODE_SHAPE1", 0.0, "[-10:10]"),
        ("3DSTRUCT_IMPERFECTION_MODE_SHAPE2", 0.0, "[-10:10]"),
        ("3DSTRUCT_IMPERFECTION_MODE_SHAPE3", 0.0, "[-10:10]"),
        ("3DSTRUCT_NONLIN_OPT_INITIAL_SOLUTION_STRATEGY", "NEWTON_RAPHSON_2", None),
        ("3DSTRUCT_NONLIN_OPT_MAX_NUMBER_ITER_PER_STEP", 20, "[1:1000]"),
        ("3DSTRUCT_NONLIN_OPT_MIN_NUMBER_ITER_PER_STEP", 2, "[1:1000]"),
        ("3DSTRUCT_NEWTON_RAPHSON_RELATIVE_CONVERGENCE_TOLERANCE", 1e-3, TOL),
        ("3DSTRUCT_BUCKLING_EIGENVALUE_METHOD", "LOWEST_POS", None),
        ("3DSTRUCT_BUCKLING_EIGENVALUE_CONVERGENCE_TOLERANCE", 1e-4, TOL),
        ("3DSTRUCT_LOAD_FACT_OPT_BUCKLING_SMALLEST_EIGENVALUE", 0.0, "[0:)"),
        ("3DSTRUCT_LOAD_FACT_OPT_BUCKLING_STURM_SEQUENCE_CHECK", False, None),
        ("3DSTRUCT_LOAD_FACT_OPT_MAXIMUM_NUMBER_SUBSPACE_ITER", 30, "[1:1000]"),
        ("3DSTRUCT_LOAD_FACT_OPT_NUMBER_EIGENVALUES", 1, "[1:50]"),
        ("3DSTRUCT_LOAD_FACT_OPT_NUMBER_SUBSPACE_ITER_VECTORS", 8, "[1:100]"),
        ("3DSTRUCT_TOLERANCE_FOR_ZERO_PIVOT", 1e-8, TOL),
        ("3DSTRUCT_LARGE_DEFL_NON_POSITIVE_DEFINITE", "POST_BUCKLING", None),
        ("ANALYSIS_DESCRIPTION", None, None),
    ]


def trans_rows():
    return [
        ("TRANS_FILE_UNITS", "MODEL_UNITS_MM", None),
        ("IGS_TRANS_MESH_DIV", 15, "[1:1000]"),
        ("IGS_MODEL_LENGTH", 0.0, "[0:)"),
        ("IGS_NODAL_TOL", 0.0, "[0:)"),
        ("IGS_CURV_ANGLE", 0.349066, RIGHT_ANGLE),  # 20 degrees
        ("IGS_USE_CONNECTIVITY", False, None),
        ("IGS_USE_RIBS", False, None),
        ("IGS_USE_FILTER", False, None),
        ("IGS_USE_ATTRIB", True, None),
        ("IGS_USE_READ_LINES", True, None),
        ("ZQPSI_REMESH_MIN_DIVISION", 25, "[1:1000]"),
        ("ZQPSI_REMESH_MIN_ELEMENT_NUMBER", 5000, "[100:1000000]"),
        ("ZQPSI_REMESH_MAX_ELEMENT_NUMBER", 15000, "[100:2000000]"),
    ]


def mesh3d_rows():
    return [
        ("ZQMESH3D_OUTPUT_FILETYPE", "TESSARIN_ZQL", None),
        ("ZQMESH3D_UNITS", "MILLIMETERS", None),
        ("ZQMESH3D_SURFACE_ELEMENT_AIM", 5000, "[100:1000000]"),
        ("ZQMESH3D_SURFACE_EDGE_LENGTH", 0.001, "(0:1]"),
        ("ZQMESH3D_LAYERS_THROUGH_THICKNESS", 6, "[2:50]"),
        ("ZQMESH3D_MAXIMUM_ASPECT_RATIO", 15.0, "[2:100]"),
    ]


def machine_param_rows():
    return [
        ("MACHINE_MANUFACTURER", None, None),
        ("MACHINE_MANUFACTURER_MODEL_CODE", None, None),
        ("MACHINE_CLAMP_MAXIMUM_CLAMP_FORCE", 9.80665e5, "(0:1E+8]"),
        ("MACHINE_CONTROLLER_CODE", "GENERIC", None),
        ("MACHINE_CONTROLLER_MAXIMUM_PRESSURE_STEPS", 5.0, "[1:50]"),
        ("MACHINE_CONTROLLER_MAXIMUM_VELOCITY_STEPS", 10.0, "[1:50]"),
        ("MACHINE_CONTROLLER_PRESSURE_PROFILE_PRESSURE_TIME", True, None),
        ("MACHINE_CONTROLLER_PRESSURE_PROFILE_TYPES_CONSTANT", True, None),
        ("MACHINE_CONTROLLER_PRESSURE_PROFILE_TYPES_LINEAR", False, None),
        ("MACHINE_CONTROLLER_VELOCITY_PROFILE_RAM_POSITION_RAM_VELOCITY", True, None),
        ("MACHINE_CONTROLLER_PRESSURE_PROFILE_ZONE_PRESSURE", False, None),
        ("MACHINE_CONTROLLER_VELOCITY_PROFILE_TYPES_CONSTANT", True, None),
        ("MACHINE_CONTROLLER_VELOCITY_PROFILE_TYPES_LINEAR", False, None),
        ("MACHINE_CONTROLLER_VELOCITY_PROFILE_ZONE_RAM_VELOCITY", False, None),
        ("MACHINE_INJECTION_MAXIMUM_INJECTION_PRESSURE", 1.8e8, "(0:5E+8]"),
        ("MACHINE_INJECTION_MAXIMUM_INJECTION_VELOCITY", 0.15, "(0:2]"),
        ("MACHINE_INJECTION_RESPONSE_TIME", 0.05, "[0:5]"),
        ("MACHINE_INJECTION_SCREW_DIAMETER", 0.04, "[0.01:0.2]"),
        ("MACHINE_INJECTION_SCREW_INTENSIFICATION_RATIO", 10.0, "[1:30]"),
        ("MACHINE_INJECTION_SCREW_MAXIMUM_STROKE", 0.16, "(0:1]"),
    ]


PROGRAMS = {
    "zqflow": ("Flow solver, midplane and fusion meshes", lambda: midplane_flow()),
    "zqfiber": ("Flow solver with fiber orientation", lambda: merge(midplane_flow(), fiber_rows())),
    "zqgas": ("Flow solver, gas-assisted injection", lambda: merge(midplane_flow(), gas_rows())),
    "zqtset": ("Flow solver, thermoset filling and curing", lambda: merge(midplane_flow(), thermoset_rows())),
    "zqoptim": ("Flow solver, optimum injection and packing profiles",
                lambda: merge(midplane_flow(), optim_rows())),
    "zqflow3d": ("Flow solver, 3D meshes", lambda: flow3d_rows()),
    "zqcool3d": ("Mold cooling solver, 3D models", lambda: cool3d_rows()),
    "zqcool2d": ("Mold cooling solver, 2D models", lambda: cool2d_rows()),
    "warp": ("Warpage and stress solver", lambda: warp_rows()),
    "zqtrans": ("CAD translator", lambda: trans_rows()),
    "zqmesh3d": ("3D mesher", lambda: mesh3d_rows()),
    "zqlipc": ("Injection molding machine parameters", lambda: machine_param_rows()),
}


def write_solver_files():
    folder = os.path.join(DATA, "solver")
    for program, (title, rows_of) in sorted(PROGRAMS.items()):
        rows = rows_of()
        defaults = [(k, v) for k, v, r in rows if v is not None]
        ranges = [(k + "_RANGE", r) for k, v, r in rows if r is not None]
        # Two-column tables carry the range of their second column too.
        for k, v, r in rows:
            if k.endswith("_PROFILE_PRESSURE") or k.endswith("_PROFILE_FACTOR"):
                ranges.append((k + "_RANGE2", "(0:1000]"))
            if k.endswith("_FLOW_VOL") and "PROFILE" in k:
                ranges.append((k + "_RANGE2", "(0:2]"))
            if k.endswith("_GAS_PRESSURE_PROFILE"):
                ranges.append((k + "_RANGE2", "[0:1000]"))
            if k.endswith("VELOCITY_PRESSURE_TRANSITION_PRESSURE_AT_A_NODE"):
                ranges.append((k + "_RANGE2", P_ANY))
        write(os.path.join(folder, program + ".def"),
              keyword_file("%s: defaults\nSI units, temperatures in deg.C" % title, defaults))
        write(os.path.join(folder, program + ".rng"),
              keyword_file("%s: permitted ranges\nSI units, temperatures in deg.C" % title, ranges))


# ---------------------------------------------------------------- machines

MACHINES = [
    ("am080.imm", "Aldermoor", "AM-80", 80, 0.030, 0.12, 2.2e8, 0.20, 0.03, 11.5, "AMC-3", 10, 5),
    ("kx150.imm", "Kestrel", "KX-150", 150, 0.045, 0.20, 2.0e8, 0.25, 0.02, 10.2, "KX-T2", 20, 10),
    ("kx300.imm", "Kestrel", "KX-300", 300, 0.060, 0.27, 1.9e8, 0.18, 0.04, 9.6, "KX-T2", 20, 10),
    ("ls050e.imm", "Linden Systems", "LS-50e", 50, 0.025, 0.10, 2.4e8, 0.35, 0.01, 12.0, "LS-E", 10, 10),
]


def write_machines():
    for (name, maker, model, tonnes, screw, stroke, pressure, speed, response, ratio, controller,
         vsteps, psteps) in MACHINES:
        rows = [
            ("MACHINE_MANUFACTURER", maker),
            ("MACHINE_MANUFACTURER_MODEL_CODE", model),
            ("MACHINE_CLAMP_MAXIMUM_CLAMP_FORCE", tonnes * 1000 * 9.80665),
            ("MACHINE_CONTROLLER_CODE", controller),
            ("MACHINE_CONTROLLER_MAXIMUM_PRESSURE_STEPS", float(psteps)),
            ("MACHINE_CONTROLLER_MAXIMUM_VELOCITY_STEPS", float(vsteps)),
            ("MACHINE_CONTROLLER_PRESSURE_PROFILE_PRESSURE_TIME", True),
            ("MACHINE_CONTROLLER_PRESSURE_PROFILE_TYPES_CONSTANT", True),
            ("MACHINE_CONTROLLER_PRESSURE_PROFILE_TYPES_LINEAR", vsteps >= 20),
            ("MACHINE_CONTROLLER_VELOCITY_PROFILE_RAM_POSITION_RAM_VELOCITY", True),
            ("MACHINE_CONTROLLER_PRESSURE_PROFILE_ZONE_PRESSURE", False),
            ("MACHINE_CONTROLLER_VELOCITY_PROFILE_TYPES_CONSTANT", True),
            ("MACHINE_CONTROLLER_VELOCITY_PROFILE_TYPES_LINEAR", vsteps >= 20),
            ("MACHINE_CONTROLLER_VELOCITY_PROFILE_ZONE_RAM_VELOCITY", False),
            ("MACHINE_INJECTION_MAXIMUM_INJECTION_PRESSURE", pressure),
            ("MACHINE_INJECTION_MAXIMUM_INJECTION_VELOCITY", speed),
            ("MACHINE_INJECTION_RESPONSE_TIME", response),
            ("MACHINE_INJECTION_SCREW_DIAMETER", screw),
            ("MACHINE_INJECTION_SCREW_INTENSIFICATION_RATIO", ratio),
            ("MACHINE_INJECTION_SCREW_MAXIMUM_STROKE", stroke),
        ]
        write(os.path.join(DATA, "machines", name),
              keyword_file("Injection molding machine: %s %s, %d t" % (maker, model, tonnes), rows))
    # A machine whose controller states no profile capability at all: an
    # optimisation on it may choose no profile option.
    rows = [
        ("MACHINE_MANUFACTURER", "Plainworks"),
        ("MACHINE_MANUFACTURER_MODEL_CODE", "PW-40"),
        ("MACHINE_CLAMP_MAXIMUM_CLAMP_FORCE", 40 * 1000 * 9.80665),
        ("MACHINE_INJECTION_MAXIMUM_INJECTION_PRESSURE", 1.6e8),
        ("MACHINE_INJECTION_MAXIMUM_INJECTION_VELOCITY", 0.12),
        ("MACHINE_INJECTION_RESPONSE_TIME", 0.05),
        ("MACHINE_INJECTION_SCREW_DIAMETER", 0.022),
        ("MACHINE_INJECTION_SCREW_INTENSIFICATION_RATIO", 11.0),
        ("MACHINE_INJECTION_SCREW_MAXIMUM_STROKE", 0.09),
    ]
    write(os.path.join(DATA, "machines", "pw040.imm"),
          keyword_file("Injection molding machine: Plainworks PW-40, 40 t, no profile controller", rows))


# ---------------------------------------------------------------- materials
# Cross-WLF viscosity (n, tau* Pa, D1 Pa s, D2 K, D3 K/Pa, A1, A2 K) and the
# thermal and mechanical data the solvers read.

MATERIALS = [
    dict(file="pp_generic.mtl", name="PP homopolymer, MFI 12", maker="Generic", family="PP",
         melt=230, mold=40, tmin=200, tmax=280, moldmin=20, moldmax=80, noflow=140, eject=95,
         rho_s=905, rho_m=735, cp=2740, k=0.16, E=1.4e9, nu=0.40, cte=1.2e-4,
         cross=(0.28, 2.3e4, 4.1e13, 263.15, 0, 28.9, 51.6), shear_stress=2.5e5, shear_rate=1e5,
         shrink="1.6 1.8"),
    dict(file="hdpe_generic.mtl", name="HDPE injection grade", maker="Generic", family="HDPE",
         melt=220, mold=40, tmin=180, tmax=280, moldmin=20, moldmax=70, noflow=125, eject=100,
         rho_s=955, rho_m=760, cp=2900, k=0.25, E=1.0e9, nu=0.42, cte=1.5e-4,
         cross=(0.35, 3.5e4, 1.2e15, 153.15, 0, 32.1, 51.6), shear_stress=2e5, shear_rate=4e4,
         shrink="2.0 2.3"),
    dict(file="abs_kestrel_x40.mtl", name="Kestrel ABS X40", maker="Kestrel Plastics", family="ABS",
         melt=240, mold=60, tmin=210, tmax=280, moldmin=40, moldmax=80, noflow=130, eject=88,
         rho_s=1040, rho_m=940, cp=2100, k=0.17, E=2.3e9, nu=0.38, cte=8.5e-5,
         cross=(0.26, 3.6e4, 3.1e11, 373.15, 0, 26.2, 51.6), shear_stress=3e5, shear_rate=5e4,
         shrink="0.5 0.6"),
    dict(file="pc_aldermoor_c10.mtl", name="Aldermoor PC C10", maker="Aldermoor Resins", family="PC",
         melt=300, mold=90, tmin=280, tmax=320, moldmin=70, moldmax=120, noflow=195, eject=127,
         rho_s=1200, rho_m=1060, cp=1750, k=0.20, E=2.4e9, nu=0.37, cte=6.8e-5,
         cross=(0.17, 8.2e5, 4.8e11, 417.15, 0, 30.6, 51.6), shear_stress=5e5, shear_rate=4e4,
         shrink="0.6 0.7"),
    dict(file="pom_generic.mtl", name="POM copolymer", maker="Generic", family="POM",
         melt=200, mold=90, tmin=190, tmax=230, moldmin=60, moldmax=120, noflow=160, eject=140,
         rho_s=1410, rho_m=1170, cp=2200, k=0.23, E=2.8e9, nu=0.35, cte=1.1e-4,
         cross=(0.25, 2.1e5, 1.6e12, 233.15, 0, 25.4, 51.6), shear_stress=4.5e5, shear_rate=4e4,
         shrink="1.9 2.0"),
    dict(file="pa66_gf30_aldermoor.mtl", name="Aldermoor PA66 GF30", maker="Aldermoor Resins",
         family="PA66-GF30", melt=290, mold=80, tmin=280, tmax=305, moldmin=70, moldmax=110,
         noflow=240, eject=200, rho_s=1370, rho_m=1180, cp=2100, k=0.35, E=9.5e9, nu=0.35,
         cte=3.0e-5, cross=(0.30, 2.5e5, 1.2e10, 323.15, 0, 21.5, 51.6), shear_stress=5e5,
         shear_rate=6e4, shrink="0.4 1.0", fiber=(3.0e-4, 30.0, 30.0)),
    dict(file="pbt_gf30_kestrel.mtl", name="Kestrel PBT GF30", maker="Kestrel Plastics",
         family="PBT-GF30", melt=255, mold=70, tmin=240, tmax=275, moldmin=40, moldmax=100,
         noflow=210, eject=170, rho_s=1530, rho_m=1360, cp=1800, k=0.28, E=1.0e10, nu=0.36,
         cte=2.5e-5, cross=(0.32, 1.9e5, 5.5e9, 333.15, 0, 19.8, 51.6), shear_stress=4e5,
         shear_rate=5e4, shrink="0.3 0.9", fiber=(2.5e-4, 30.0, 25.0)),
    dict(file="epoxy_emc_linden.mtl", name="Linden EMC 700 epoxy", maker="Linden Systems",
         family="EPOXY", melt=90, mold=175, tmin=70, tmax=110, moldmin=165, moldmax=185,
         noflow=0, eject=0, rho_s=1950, rho_m=1900, cp=1200, k=0.65, E=2.0e10, nu=0.30,
         cte=1.4e-5, cross=None, shear_stress=None, shear_rate=None, shrink="0.2 0.2",
         thermoset=True),
]


def material_rows(m):
    rows = [
        ("MATERIAL_NAME", m["name"]),
        ("MATERIAL_MANUFACTURER", m["maker"]),
        ("MATERIAL_FAMILY", m["family"]),
        ("MATERIAL_RECOMMENDED_MELT_TEMPERATURE", float(m["melt"])),
        ("MATERIAL_RECOMMENDED_MOLD_TEMPERATURE", float(m["mold"])),
        ("MATERIAL_MINIMUM_MELT_TEMPERATURE", float(m["tmin"])),
        ("MATERIAL_MAXIMUM_MELT_TEMPERATURE", float(m["tmax"])),
        ("MATERIAL_MINIMUM_MOLD_TEMPERATURE", float(m["moldmin"])),
        ("MATERIAL_MAXIMUM_MOLD_TEMPERATURE", float(m["moldmax"])),
    ]
    if not m.get("thermoset"):
        rows += [
            ("MATERIAL_THERMAL_NO_FLOW_TEMPERATURE_SINGLE", float(m["noflow"])),
            ("MATERIAL_EJECTION_TEMPERATURE", float(m["eject"])),
        ]
    rows += [
        ("MATERIAL_SOLID_DENSITY", float(m["rho_s"])),
        ("MATERIAL_MELT_DENSITY", float(m["rho_m"])),
        ("MATERIAL_SPECIFIC_HEAT", float(m["cp"])),
        ("MATERIAL_THERMAL_CONDUCTIVITY", m["k"]),
        ("MATERIAL_ELASTIC_MODULUS", m["E"]),
        ("MATERIAL_POISSON_RATIO", m["nu"]),
        ("MATERIAL_THERMAL_EXPANSION", m["cte"]),
        ("MATERIAL_SHRINKAGE_DATA", m["shrink"]),
    ]
    if m["cross"]:
        n, tau, d1, d2, d3, a1, a2 = m["cross"]
        rows += [
            ("MATERIAL_VISCOSITY_MODEL", "CROSS_WLF"),
            ("MATERIAL_VISCOSITY_COEFFICIENTS",
             " \\\n".join(fmt(float(x)) for x in (n, tau, d1, d2, d3, a1, a2))),
            ("MATERIAL_MAXIMUM_SHEAR_STRESS", m["shear_stress"]),
            ("MATERIAL_MAXIMUM_SHEAR_RATE", m["shear_rate"]),
        ]
    if "fiber" in m:
        length, content, aspect = m["fiber"]
        rows += [
            ("MATERIAL_AVERAGE_FIBER_LENGTH", length),
            ("MATERIAL_FIBER_WEIGHT_PERCENTAGE", content),
            ("MATERIAL_FIBER_ASPECT_RATIO", aspect),
        ]
    if m.get("thermoset"):
        # Kamal-Sourour cure kinetics: A1, A2 (1/s), E1, E2 (K), m, n.
        rows += [
            ("MATERIAL_THERMOSET_DATA", "KAMAL_SOUROUR"),
            ("MATERIAL_CURE_KINETICS_COEFFICIENTS",
             " \\\n".join(fmt(x) for x in (2.2e5, 1.9e6, 8500.0, 8100.0, 0.9, 1.4))),
            ("MATERIAL_GEL_CONVERSION", 0.25),
            ("MATERIAL_HEAT_OF_REACTION", 4.5e4),
            ("MATERIAL_VISCOSITY_MODEL", "CASTRO_MACOSKO"),
            ("MATERIAL_VISCOSITY_COEFFICIENTS",
             " \\\n".join(fmt(x) for x in (0.35, 5.0e4, 2.1e-5, 7900.0, 1.5, 1.0))),
        ]
    return rows


def write_materials():
    for m in MATERIALS:
        write(os.path.join(DATA, "materials", m["file"]),
              keyword_file("Material: %s (%s)" % (m["name"], m["maker"]), material_rows(m)))


# ---------------------------------------------------------------- sample project

def stl_plate(x, y, z):
    """An ASCII STL of a box x by y by z (mm), 12 facets."""
    v = [(i * x, j * y, k * z) for k in (0, 1) for j in (0, 1) for i in (0, 1)]
    quads = [((0, 2, 3, 1), (0, 0, -1)), ((4, 5, 7, 6), (0, 0, 1)), ((0, 1, 5, 4), (0, -1, 0)),
             ((2, 6, 7, 3), (0, 1, 0)), ((0, 4, 6, 2), (-1, 0, 0)), ((1, 3, 7, 5), (1, 0, 0))]
    out = ["solid plate"]
    for (a, b, c, d), n in quads:
        for tri in ((a, b, c), (a, c, d)):
            out.append("  facet normal %g %g %g" % n)
            out.append("    outer loop")
            for t in tri:
                out.append("      vertex %g %g %g" % v[t])
            out.append("    endloop")
            out.append("  endfacet")
    out.append("endsolid plate")
    return "\n".join(out) + "\n"


def iges_card(text, section, seq):
    return "%-72s%s%7d" % (text, section, seq)


def iges_plate(x, y):
    """A small IGES file: the outline of a plate as four lines, in mm."""
    start = ["wizlib sample part: outline of a 100 x 50 mm plate."]
    g = ("1H,,1H;,8Hplate-01,10Hplate.igs,6Hwizlib,3H1.0,32,38,6,308,15,8Hplate-01,1.0,2,2HMM,1,"
         "0.1,15H20260101.120000,0.001,100.0,4Hhost,6Hwizlib,11,0,15H20260101.120000;")
    glines = [g[i:i + 72] for i in range(0, len(g), 72)]
    pts = [(0, 0, 0), (x, 0, 0), (x, y, 0), (0, y, 0)]
    params = []
    for i in range(4):
        a, b = pts[i], pts[(i + 1) % 4]
        params.append("110,%s,%s,%s,%s,%s,%s;" % tuple("%.1f" % c for c in a + b))
    lines = [iges_card(s, "S", i + 1) for i, s in enumerate(start)]
    lines += [iges_card(s, "G", i + 1) for i, s in enumerate(glines)]
    d = []
    for i in range(4):
        de = 2 * i + 1
        d.append("%8d%8d%8d%8d%8d%8d%8d%8d%8s" % (110, i + 1, 0, 0, 0, 0, 0, 0, "00000000"))
        d.append("%8d%8d%8d%8d%8d%8s%8s%8s%8d" % (110, 0, 0, 1, 0, "", "", "LINE", i + 1))
    lines += [iges_card(s, "D", i + 1) for i, s in enumerate(d)]
    lines += ["%-64s%8d%s%7d" % (p, 2 * i + 1, "P", i + 1) for i, p in enumerate(params)]
    lines.append(iges_card("S%7dG%7dD%7dP%7d" % (len(start), len(glines), len(d), len(params)), "T", 1))
    return "\n".join(lines) + "\n"


def plate_nodes(nx, ny, x, y, z=0.0):
    nodes = []
    for j in range(ny + 1):
        for i in range(nx + 1):
            nodes.append((x * i / nx, y * j / ny, z))
    return nodes


def plate_tris(nx, ny, offset=0):
    tris = []
    for j in range(ny):
        for i in range(nx):
            a = offset + j * (nx + 1) + i + 1
            b, c, d = a + 1, a + nx + 2, a + nx + 1
            tris += [(a, b, c), (a, c, d)]
    return tris


def mesh_text(kind, nodes, elements, note):
    """Our mesh format: header, NODES (id x y z in m), ELEMENTS (id kind nodes... [thickness])."""
    out = ["# wizlib mesh: " + note, "ZQMESH 1", "TYPE " + kind, "UNITS M", "NODES %d" % len(nodes)]
    for i, (x, y, z) in enumerate(nodes, 1):
        out.append("%d %s %s %s" % (i, fmt(x), fmt(y), fmt(z)))
    out.append("ELEMENTS %d" % len(elements))
    for i, e in enumerate(elements, 1):
        out.append("%d %s" % (i, " ".join(e)))
    out.append("END")
    return "\n".join(out) + "\n"


def write_meshes(folder):
    nx, ny, X, Y, T = 4, 2, 0.1, 0.05, 0.002
    nodes = plate_nodes(nx, ny, X, Y)
    tris = [("TRI3", "%d %d %d" % t, fmt(T)) for t in plate_tris(nx, ny)]
    write(os.path.join(folder, "plate1.zql"), mesh_text("MIDPLANE", nodes, tris,
                                                       "midplane of the 100 x 50 x 2 mm plate"))
    # Fusion: both skins of the plate, each element with its thickness to the other skin.
    bottom = plate_nodes(nx, ny, X, Y, 0.0)
    top = plate_nodes(nx, ny, X, Y, T)
    skin = [("TRI3", "%d %d %d" % t, fmt(T)) for t in plate_tris(nx, ny)]
    skin += [("TRI3", "%d %d %d" % (t[0], t[2], t[1]), fmt(T)) for t in plate_tris(nx, ny, len(bottom))]
    write(os.path.join(folder, "plate2.zqf"), mesh_text("FUSION", bottom + top, skin,
                                                       "both skins of the plate"))
    # 3D: the plate split into prisms, each as three tetrahedra.
    tets = []
    n = len(bottom)
    for a, b, c in plate_tris(nx, ny):
        A, B, C = a + n, b + n, c + n
        tets += [(a, b, c, A), (b, c, A, B), (c, A, B, C)]
    write(os.path.join(folder, "plate3.zq3"), mesh_text("3D", bottom + top,
                                                       [("TET4", "%d %d %d %d" % t) for t in tets],
                                                       "tetrahedra through the plate thickness"))
    # 2D cooling: the plate section with two cooling lines below it.
    cnodes = plate_nodes(nx, ny, X, Y) + [(0.0, 0.015, -0.015), (X, 0.015, -0.015),
                                          (0.0, 0.035, -0.015), (X, 0.035, -0.015)]
    base = len(cnodes) - 4
    celems = [("TRI3", "%d %d %d" % t, fmt(T)) for t in plate_tris(nx, ny)]
    celems += [("BEAM2", "%d %d" % (base + 1, base + 2), fmt(0.008)),
               ("BEAM2", "%d %d" % (base + 3, base + 4), fmt(0.008))]
    write(os.path.join(folder, "coolplate.zqc"), mesh_text("2D_COOLING", cnodes, celems,
                                                           "plate with two 8 mm cooling lines"))


def flow_input(bc):
    rows = [("ANALYSIS_DESCRIPTION", "Fill and pack, PP, 230 deg.C melt"),
            ("ANALYSIS_PROGRAM", "zqflow"),
            ("ANALYSIS_MESH_FILE", "plate1.zql"),
            ("ANALYSIS_MATERIAL_FILE", "material1.mtl")]
    rows += material_rows(MATERIALS[0])
    rows += [("3DFLOW_ANALYSIS_AIM", "PACKING"),
             ("3DFLOW_BOUNDARY_CONDITION", bc),
             ("MELT_TEMPERATURE", 230.0), ("MOLD_TEMPERATURE", 40.0),
             ("INJECTION", "TIME"), ("INJECTION_TIME", 0.8),
             ("3DFLOW_VELOCITY_PRESSURE_TRANSITION", "PERCENTAGE_VOLUME"),
             ("3DFLOW_VELOCITY_PRESSURE_TRANSITION_PERCENTAGE_VOLUME", 0.98),
             ("3DFLOW_PRESSURE_CONTROL", "FACTOR"), ("3DFLOW_PRESSURE_CONTROL_FACTOR", 80.0),
             ("3DFLOW_ANALYSIS_TYPE", "MULTI"),
             ("3DFLOW_FILL_RESTART", "CONSTANT_VOLUME"), ("3DFLOW_FILL_RESTART_CONSTANT_VOLUME", 2),
             ("3DFLOW_PACK_RESTART", "CONSTANT_TIME"), ("3DFLOW_PACK_RESTART_CONSTANT_TIME", 1)]
    return keyword_file("Flow analysis input", rows)


def restart_index():
    """Points: two while filling, end of filling, one while packing."""
    def settings(status, extra=()):
        rows = [("MELT_TEMPERATURE", 230.0), ("MOLD_TEMPERATURE", 40.0), ("INJECTION", "TIME"),
                ("INJECTION_TIME", 0.8), ("3DFLOW_PRESSURE_CONTROL_STATUS", status)]
        return rows + list(extra)
    points = [
        (-1, 0.4, 50.0, "flow1.fr1", "", settings("OFF")),
        (-1, 0.78, 98.0, "flow1.fr2", "switch-over", settings("ON", [("3DFLOW_PRESSURE_CONTROL", "FACTOR")])),
        (0, 0.81, 100.0, "flow1.fr3", "", settings("ON", [("3DFLOW_PRESSURE_CONTROL", "FACTOR")])),
        (1, 5.8, 100.0, "flow1.fr4", "gate frozen", settings("ON", [("3DFLOW_PRESSURE_CONTROL", "FACTOR"),
                                                                    ("3DFLOW_PRESSURE_CONTROL_FACTOR", 80.0)])),
    ]
    out = ["# flow restart points of flow1", "FLOW_RESTART_INDEX: 1", "THERMOSET: OFF"]
    for typ, time, filled, name, note, rows in points:
        out += ["", "[POINT]", "TYPE: %d" % typ, "TIME: %s" % fmt(time), "FILLED: %s" % fmt(filled),
                "FILE: " + name]
        if note:
            out.append("DESCRIPTION: " + note)
        out += ["%s: %s" % (k, fmt(v)) for k, v in rows]
    return "\n".join(out) + "\n", [p[3] for p in points]


def result_text(title, rows):
    return keyword_file(title, rows)


def project_file(name, nodes, next_id, labels=()):
    """nodes: (id, parent, type, sub, state, image, flags, aim, label, file) in tree order."""
    def esc(s):
        return s.replace("\\", "\\\\").replace("\t", "\\t").replace("\n", "\\n").replace("\r", "\\r")
    text = "ZQPROJECT\t1\r\n# wizlib project: one NODE record per node, parents before children\r\n"
    text += "NAME\t%s\r\nNEXTID\t%d\r\n" % (esc(name), next_id)
    for n in nodes:
        text += "NODE\t%d\t%d\t%d\t%d\t%d\t%d\t%d\t%d\t%s\t%s\r\n" % (n[:8] + (esc(n[8]), esc(n[9])))
    for base, label in labels:
        text += "MESHLABEL\t%s\t%s\r\n" % (esc(base), esc(label))
    crc = zlib.crc32(text.encode("utf-8")) & 0xFFFFFFFF
    text += "END\t%d\t%08X\r\n" % (len(nodes), crc)
    return text


def tree_order(nodes):
    """The nodes depth first, each node's children in id order, as the
    project tree writes them."""
    children = {}
    for n in nodes[1:]:
        children.setdefault(n[1], []).append(n)
    ordered = []

    def walk(n):
        ordered.append(n)
        for child in children.get(n[0], []):
            walk(child)
    walk(nodes[0])
    return ordered


IMAGES = {1: 1, 2: 2, 4: 8, 5: 9, 6: 10, 7: 11, 8: 12, 9: 13, 10: 14}
MESH_IMAGES = {20: 3, 21: 4, 22: 5, 15: 6}


def image(t, s):
    if t == 3:
        return MESH_IMAGES.get(s, 7)
    return IMAGES.get(t, 0)


def add_flow_scenarios(folder, add, mid, flr, main_bc):
    """Nodes the flow wizard's sessions start from, added after every earlier
    node so that no id changes: a material whose no-flow temperature bounds
    the molding window at 200 deg.C, a restart of the midplane fill and pack,
    and a 3D fill and pack with its restart points and a restart of it."""
    pc = next(m for m in MATERIALS if m["family"] == "PC")
    blend = dict(pc, name="PC/ABS blend, no-flow 200", maker="Kestrel Plastics", family="PC/ABS",
                 melt=260, mold=70, tmin=240, tmax=290, moldmin=50, moldmax=100, noflow=200)
    write(os.path.join(folder, "pcabs.mtl"),
          keyword_file("Material: %s (%s)" % (blend["name"], blend["maker"]), material_rows(blend)))
    add(mid, 4, 23, 0, blend["name"], "pcabs.mtl")

    restart = [("ANALYSIS_DESCRIPTION", "Restart of the fill and pack")]
    restart += [r for r in keyword_rows(flow_input(main_bc)) if r[0] != "ANALYSIS_DESCRIPTION"]
    restart += [("3DFLOW_RESTART", "END_OF_FILLING"), ("3DFLOW_RESTART_END_OF_FILLING", "flow1")]
    write(os.path.join(folder, "restart-midplane.fin"), keyword_file("Flow analysis input", restart))
    fin = add(flr, 6, 27, 0, "Restart of the fill and pack", "restart-midplane.fin", 0, 3)
    add(fin, 7, 27, 1, "", "restart-midplane.flr", 0, 3)

    pp = MATERIALS[0]
    write(os.path.join(folder, "pp3d.mtl"),
          keyword_file("Material: %s (%s)" % (pp["name"], pp["maker"]), material_rows(pp)))
    mesh3d = next(n for n in range(len(NODE_FILES)) if NODE_FILES[n] == "plate3.zq3")
    mat3d = add(mesh3d, 4, 23, 0, pp["name"], "pp3d.mtl")

    def flow3d(description, stamp=None):
        rows = [("ANALYSIS_DESCRIPTION", description), ("ANALYSIS_PROGRAM", "zqflow3d"),
                ("ANALYSIS_MESH_FILE", "plate3.zq3"), ("ANALYSIS_MATERIAL_FILE", "pp3d.mtl")]
        rows += material_rows(pp)
        rows += [("MOLD3D_ANALYSIS_AIM", "FILL_AND_PACK"), ("MOLD3D_BOUNDARY_CONDITION", main_bc),
                 ("MELT_TEMPERATURE", 230.0), ("MOLD_TEMPERATURE", 40.0),
                 ("INJECTION", "TIME"), ("INJECTION_TIME", 0.9),
                 ("MOLD3D_RESTART_FILE_NAME", "flow3d.rsi")]
        return keyword_file("Flow analysis input", rows)

    write(os.path.join(folder, "flow3d.fin"), flow3d("Fill and pack on the 3D mesh"))
    fin3d = add(mat3d, 6, 27, 0, "Fill and pack on the 3D mesh", "flow3d.fin", 0, 3)
    flr3d = add(fin3d, 7, 27, 0, "", "flow3d.flr", 0, 3)
    write(os.path.join(folder, "flow3d.flr"), result_text("Flow result of flow3d", [
        ("RESULT_ANALYSIS_AIM", "FILL_AND_PACK"), ("RESULT_FILL_TIME", 0.9),
        ("RESULT_RESTART_FILE", "flow3d.rsi")]))

    def settings(status):
        return [("MELT_TEMPERATURE", 230.0), ("MOLD_TEMPERATURE", 40.0), ("INJECTION", "TIME"),
                ("INJECTION_TIME", 0.9), ("MOLD3D_PRESSURE_CONTROL_STATUS", status)]
    points = [(-1, 0.45, 50.0, "flow3d.r01", "", settings("OFF")),
              (0, 0.9, 100.0, "flow3d.r02", "", settings("ON")),
              (1, 6.2, 100.0, "flow3d.r03", "gate frozen", settings("ON"))]
    out = ["# flow restart points of flow3d", "FLOW_RESTART_INDEX: 1", "THERMOSET: OFF"]
    for typ, time, filled, name, note, rows in points:
        out += ["", "[POINT]", "TYPE: %d" % typ, "TIME: %s" % fmt(time), "FILLED: %s" % fmt(filled),
                "FILE: " + name]
        if note:
            out.append("DESCRIPTION: " + note)
        out += ["%s: %s" % (k, fmt(v)) for k, v in rows]
        write(os.path.join(folder, name), "# restart point of flow3d (solver state)\n")
    write(os.path.join(folder, "flow3d.rsi"), "\n".join(out) + "\n")
    add(flr3d, 8, 0, 0, "3D restart points", "flow3d.rsi")

    write(os.path.join(folder, "restart-3d.fin"), flow3d("Restart of the 3D fill and pack"))
    rin = add(flr3d, 6, 27, 0, "Restart of the 3D fill and pack", "restart-3d.fin", 0, 3)
    add(rin, 7, 27, 1, "", "restart-3d.flr", 0, 3)


def add_valve_gate_scenarios(folder, add, pp, flr, main_bc):
    """Nodes of the flow wizard's valve-gate and curing sessions, added after
    every earlier node so that no id changes: an analysis whose valve-gate
    groups hold timings already, gas and well valve gates on the 3D mesh, and
    a thermoset analysis with a transfer pot that restarts from flow1."""
    def replaced(rows, changes):
        keys = dict(changes)
        return [(k, keys.get(k, v)) for k, v in rows] + [c for c in changes if c[0] not in dict(rows)]

    # Group 1 closed, its times as the wizard writes them (each on a line of
    # its own); group 2 open with seven times on one line; group 3 nothing.
    base = keyword_rows(flow_input(main_bc))
    timed = replaced(base, [("ANALYSIS_DESCRIPTION", "Valve-gate timings of the plate"),
                            ("3DFLOW_BOUNDARY_CONDITION", "valvegates.bf3"),
                            ("3DFLOW_VALVE_GROUP1_INITIAL_STATE", "CLOSED"),
                            ("3DFLOW_VALVE_GROUP1_TIMING_SEQUENCE", "\\\n1.5 \\\n3"),
                            ("3DFLOW_VALVE_GROUP2_INITIAL_STATE", "OPEN"),
                            ("3DFLOW_VALVE_GROUP2_TIMING_SEQUENCE", "0.5 1 1.5 2 2.5 3 3.5")])
    write(os.path.join(folder, "valve-timings.fin"), keyword_file("Flow analysis input", timed))
    timings = add(pp, 6, 27, 0, "Valve-gate timings of the plate", "valve-timings.fin", 0, 3)
    add(timings, 7, 27, 1, "", "valve-timings.flr", 0, 3)

    # Polymer group 1, gas group 2 and overflow well 3 on the 3D plate.
    write(os.path.join(folder, "gasvalves3d.bf3"), "\n".join([
        "*MODEL     plate3.zq3", "\t1\t1\t1",
        "*NODAL     INJECT", "\t3\t1\t1",
        "*NODAL     GASINJ", "\t6\t1\t1",
        "*ELEMENTAL VGGRP", "\t5\t1\t1", "\t6\t1\t1",
        "*NODAL     GASVGG", "\t6\t2\t1",
        "*ELEMENTAL WELLVGG", "\t7\t3\t1", "\t8\t3\t1"]) + "\n")
    mesh3d = NODE_FILES.index("plate3.zq3")
    add(mesh3d, 5, 27, 0, "", "gasvalves3d.bf3")

    thermoset = MATERIALS[7]
    rows = [r for r in base if not r[0].startswith("MATERIAL_")]
    rows = replaced(rows, [("ANALYSIS_DESCRIPTION", "Restart of a thermoset fill"),
                           ("ANALYSIS_MATERIAL_FILE", "material3.mtl"), ("3DFLOW_ANALYSIS_AIM", "CURING")])
    rows += material_rows(thermoset)
    rows += [("3DFLOW_TSET_CURING_TIME", 60.0), ("3DFLOW_IDC_TSET_TRANSFER_POT_ANALYSIS", True),
             ("3DFLOW_TSET_TRANSFER_POT_DIAMETER", 0.04), ("3DFLOW_TSET_TRANSFER_POT_DWELL_TIME", 12.0),
             ("3DFLOW_TSET_TRANSFER_POT_LENGTH", 0.12),
             ("3DFLOW_TSET_TRANSFER_POT_EDGE_TO_HEATING_LINE_DISTANCE", 0.008),
             ("3DFLOW_TSET_HEATING_LINE_TEMPERATURE", 170.0),
             ("3DFLOW_RESTART", "END_OF_FILLING"), ("3DFLOW_RESTART_END_OF_FILLING", "flow1")]
    write(os.path.join(folder, "restart-thermoset.fin"), keyword_file("Flow analysis input", rows))
    fin = add(flr, 6, 27, 0, "Restart of a thermoset fill", "restart-thermoset.fin", 4, 4)
    add(fin, 7, 27, 1, "", "restart-thermoset.flr", 4, 4)


def add_process_scenarios(folder, add, mid):
    """Boundary-condition sets the process settings sessions need, added after
    every earlier node so that no id changes: gas cylinders numbered 2 and 5
    on the midplane, and injection locations on the 3D mesh."""
    write(os.path.join(folder, "gas-cylinders.bf3"),
          "*MODEL     plate1.zql\n\t1\t1\t1\n*NODAL     INJECT\n\t8\t1\t1\n"
          "*NODAL     GASINJ\n\t6\t2\t1\n\t10\t5\t1\n", crlf=False)
    add(mid, 5, 27, 0, "Gas cylinders 2 and 5", "gas-cylinders.bf3")
    write(os.path.join(folder, "plate3d.bf3"),
          "*MODEL     plate3.zq3\n\t1\t1\t1\n*NODAL     INJECT\n\t3\t1\t1\n", crlf=False)
    mesh3d = next(n for n in range(len(NODE_FILES)) if NODE_FILES[n] == "plate3.zq3")
    add(mesh3d, 5, 27, 0, "Injection on the 3D plate", "plate3d.bf3")


def add_preparation_scenarios(folder, add, flr, pp, main_bc):
    """Nodes the analysis preparation wizard's sessions start from, added
    after every earlier node so that no id changes: a thermoset material on
    the 3D mesh (which only a midplane takes), a stress analysis and its
    result (nothing follows a stress result), and a gas-assisted flow input
    (whose options a flow wizard made for it keeps)."""
    tset = next(m for m in MATERIALS if m.get("thermoset"))
    write(os.path.join(folder, "tset3d.mtl"),
          keyword_file("Material: %s (%s)" % (tset["name"], tset["maker"]), material_rows(tset)))
    mesh3d = next(n for n in range(len(NODE_FILES)) if NODE_FILES[n] == "plate3.zq3")
    add(mesh3d, 4, 25, 0, "Thermoset on the 3D mesh", "tset3d.mtl")

    write(os.path.join(folder, "stress1.sin"), keyword_file("Stress analysis input", [
        ("ANALYSIS_DESCRIPTION", "Stress under the plate's loads"), ("ANALYSIS_PROGRAM", "warp"),
        ("ANALYSIS_MESH_FILE", "plate1.zql"), ("ANALYSIS_FLOW_RESULT_FILE", "flow1.flr"),
        ("3DSTRUCT_ANALYSIS_AIM", "SMALL_DEFLECTION"), ("3DSTRUCT_BOUNDARY_CONDITION", "loads.bs3")]))
    write(os.path.join(folder, "stress1.str"), result_text("Stress result of stress1", [
        ("RESULT_MAXIMUM_VON_MISES_STRESS", 1.8e7), ("RESULT_MAXIMUM_DEFLECTION", 4.2e-4)]))
    sin = add(flr, 6, 30, 0, "Stress under the plate's loads", "stress1.sin")
    add(sin, 7, 30, 0, "", "stress1.str")

    rows = [("ANALYSIS_DESCRIPTION", "Gas-assisted fill and pack"), ("ANALYSIS_PROGRAM", "zqgas")]
    rows += [r for r in keyword_rows(flow_input(main_bc)) if r[0] not in ("ANALYSIS_DESCRIPTION", "ANALYSIS_PROGRAM")]
    write(os.path.join(folder, "gas1.fin"), keyword_file("Flow analysis input", rows))
    gas = add(pp, 6, 27, 0, "Gas-assisted fill and pack", "gas1.fin", 2, 3)
    add(gas, 7, 27, 1, "", "gas1.flr", 2, 3)


def keyword_rows(text):
    """The (keyword, value) rows of a keyword file's text without comments or continuations."""
    rows, key = [], None
    for line in text.split("\n"):
        if line.startswith("#") or not line:
            continue
        if key is not None:
            rows[-1] = (key, rows[-1][1] + "\n" + line)
        else:
            k, v = line.split(": ", 1)
            rows.append((k, v))
        key = rows[-1][0] if line.endswith("\\") else None
    return rows


NODE_FILES = []


def write_sample_project():
    folder = os.path.join(DATA, "sample-project")
    os.makedirs(folder, exist_ok=True)
    write(os.path.join(folder, "plate.stl"), stl_plate(100, 50, 2), crlf=False)
    # Coolants beyond the built-in ones, read by the cooling wizard from the
    # folder it runs in: name, conductivity, specific heat, density, viscosity.
    write(os.path.join(folder, "moldprop.cmt"), "\n".join([
        "# coolant  W/(m K)  J/(kg K)  kg/m^3  Pa s",
        "COOLANT_GLYCOL30 0.50 3700 1040 0.0022",
        "COOLANT_GLYCOL50 0.41 3300 1070 0.0045",
        "COOLANT_OIL 0.13 2000 870 0.012",
    ]) + "\n")
    write(os.path.join(folder, "plate.igs"), iges_plate(100.0, 50.0))
    write(os.path.join(folder, "plate1.081"), keyword_file("Translator input for the plate", [
        ("TRANS_FILE_UNITS", "MODEL_UNITS_MM"), ("IGS_TRANS_MESH_DIV", 15), ("IGS_CURV_ANGLE", 0.349066),
        ("IGS_USE_ATTRIB", True), ("IGS_USE_READ_LINES", True), ("TRANS_INPUT_MODEL", "plate.igs"),
        ("TRANS_OUTPUT_MODEL", "plate1.zql"), ("TRANS_SYSTEM_UNITS", "M")]))
    write_meshes(folder)
    for i, m in enumerate((MATERIALS[0], MATERIALS[5], MATERIALS[7]), 1):
        write(os.path.join(folder, "material%d.mtl" % i),
              keyword_file("Material: %s (%s)" % (m["name"], m["maker"]), material_rows(m)))

    # Files the cooling scenarios added later: their nodes come last (below),
    # so that the nodes listed from the folder keep their ids.
    later = {"plainmold.m3i", "plainmold.ela", "threeinlets.bc3", "coolplate.bc3", "coolplate.mtl",
             "gasvalves3d.bf3",
             "gas-cylinders.bf3", "plate3d.bf3"}
    present = set(os.listdir(folder)) - later
    flow_bc = sorted(f for f in present if f.lower().endswith(".bf3"))
    cool_bc = sorted(f for f in present if f.lower().endswith(".bc3"))
    model_data = sorted(f for f in present if f.lower().endswith((".ain", ".ata", ".m3i", ".m3r", ".ela")))

    main_bc = flow_bc[0] if flow_bc else ""
    write(os.path.join(folder, "flow1.fin"), flow_input(main_bc))
    index, point_files = restart_index()
    write(os.path.join(folder, "flow1.fr0"), index)
    for i, f in enumerate(point_files, 1):
        write(os.path.join(folder, f), "# restart point %d of flow1 (solver state)\n" % i)
    write(os.path.join(folder, "flow1.flr"), result_text("Flow result of flow1", [
        ("RESULT_ANALYSIS_AIM", "PACKING"), ("RESULT_FILL_TIME", 0.81), ("RESULT_SWITCH_OVER_TIME", 0.78),
        ("RESULT_MAXIMUM_INJECTION_PRESSURE", 4.62e7), ("RESULT_CLAMP_FORCE", 1.2e5),
        ("RESULT_GATE_FREEZE_TIME", 5.8), ("RESULT_CYCLE_TIME", 18.5), ("RESULT_SHOT_VOLUME", 1.0e-5),
        ("RESULT_RESTART_FILE", "flow1.fr0")]))
    write(os.path.join(folder, "cool1.cin"), keyword_file("Cooling analysis input", [
        ("ANALYSIS_DESCRIPTION", "Cooling, water at 30 deg.C"), ("ANALYSIS_PROGRAM", "zqcool3d"),
        ("ANALYSIS_MESH_FILE", "plate1.zql"), ("ANALYSIS_FLOW_RESULT_FILE", "flow1.flr"),
        ("3DCOOL_ANALYSIS_TYPE", "MANUAL"), ("3DCOOL_COOLING_TIME", 12.0),
        ("MELT_TEMPERATURE", 230.0), ("MOLD_TEMPERATURE", 40.0), ("INJECTION_TIME", 0.8),
        ("3DCOOL_BOUNDARY_CONDITION", cool_bc[0] if cool_bc else ""),
        ("3DCOOL_MOLD_MODEL_FILE", next((f for f in model_data if f.endswith(".m3i")), "")),
        ("3DCOOL_CIRCUIT01_INLET_TEMPERATURE", 30.0), ("3DCOOL_CIRCUIT01_COOLANT", "WATER")]))
    write(os.path.join(folder, "cool1.clr"), result_text("Cooling result of cool1", [
        ("RESULT_CYCLE_TIME", 17.8), ("RESULT_MAXIMUM_PART_TEMPERATURE", 61.5),
        ("RESULT_AVERAGE_MOLD_SURFACE_TEMPERATURE", 42.3), ("RESULT_COOLANT_TEMPERATURE_RISE", 1.4),
        ("RESULT_HEAT_REMOVED_PER_CYCLE", 1850.0)]))
    write(os.path.join(folder, "warp1.win"), keyword_file("Warpage analysis input", [
        ("ANALYSIS_DESCRIPTION", "Warpage after fill and pack"), ("ANALYSIS_PROGRAM", "warp"),
        ("ANALYSIS_MESH_FILE", "plate1.zql"), ("ANALYSIS_FLOW_RESULT_FILE", "flow1.flr"),
        ("3DSTRUCT_ANALYSIS_AIM", "SMALL_DEFLECTION"), ("3DSTRUCT_MATERIAL_MODEL", "ORTHOTROPIC"),
        ("3DSTRUCT_ELEMENT", "LMT3"), ("3DSTRUCT_SHRINK_DATA_SOURCE", "MATERIAL_SHRINKAGE_DATA")]))
    write(os.path.join(folder, "warp1.wpr"), result_text("Warpage result of warp1", [
        ("RESULT_MAXIMUM_DEFLECTION", 2.4e-4), ("RESULT_DEFLECTION_X", 1.6e-4),
        ("RESULT_DEFLECTION_Y", 0.9e-4), ("RESULT_DEFLECTION_Z", 1.5e-4)]))

    nodes = []

    def add(parent, t, s, state, label, file, flags=0, aim=0):
        nid = len(nodes)
        nodes.append((nid, parent, t, s, state, image(t, s), flags, aim, label, file))
        NODE_FILES.append(file)
        return nid

    root = add(-1, 0, 0, 0, "", "")
    nodes[0] = (0, -1, 0, 0, 0, 0, 0, 0, "", "")
    iges = add(root, 1, 5, 0, "Plate (IGES)", "plate.igs")
    add(iges, 2, 31, 0, "Translation of the plate", "plate1.081")
    mid = add(iges, 3, 20, 0, "Midplane mesh", "plate1.zql")
    pp = add(mid, 4, 23, 0, MATERIALS[0]["name"], "material1.mtl")
    fin = add(pp, 6, 27, 0, "Fill and pack, PP, 230 deg.C melt", "flow1.fin", 0, 3)
    flr = add(fin, 7, 27, 0, "", "flow1.flr", 0, 3)
    add(flr, 8, 0, 0, "Restart points", "flow1.fr0")
    cin = add(flr, 6, 28, 0, "Cooling, water at 30 deg.C", "cool1.cin")
    add(cin, 7, 28, 0, "", "cool1.clr")
    win = add(flr, 6, 29, 0, "Warpage after fill and pack", "warp1.win")
    add(win, 7, 29, 0, "", "warp1.wpr")
    add(mid, 4, 24, 0, MATERIALS[5]["name"], "material2.mtl")
    add(mid, 4, 25, 0, MATERIALS[7]["name"], "material3.mtl")
    for f in flow_bc:
        add(mid, 5, 27, 0, "", f)
    # The mold around the plate is a mesh node below the part's mesh (the
    # cooling wizard lists mold models as meshes of the cavity model), with
    # its attribute text files and the cooling sets that name it below it.
    mold_model = next((f for f in model_data if f.lower().endswith(".m3i")), None)
    holder = add(mid, 3, 17, 0, "Mold around the plate", mold_model) if mold_model else mid
    for f in model_data:
        if f != mold_model:
            add(holder, 10, 26 if f.lower().endswith(".ela") else 19, 0, "", f)
    for f in cool_bc:
        add(holder, 5, 28, 0, "", f)
    stl = add(root, 1, 2, 0, "Plate (STL)", "plate.stl")
    add(stl, 3, 21, 0, "Fusion mesh", "plate2.zqf")
    add(stl, 3, 22, 0, "3D mesh", "plate3.zq3")
    cool = add(root, 9, 0, 0, "Cooling model", "")
    cool_mesh = add(cool, 3, 15, 0, "2D cooling mesh", "coolplate.zqc")
    write_structural_nodes(folder, add, mid, flr)
    # Cooling scenarios: a mold model without insert data (so the wizard
    # offers one steel for the whole mold) with its element list, a set with
    # three inlets below the first mold, and a material and a set for the 2D
    # cooling mesh. Their files come from data/tools/make_model_files.py and
    # by hand.
    plain = add(mid, 3, 17, 0, "Mold without inserts", "plainmold.m3i")
    add(plain, 10, 26, 0, "", "plainmold.ela")
    add(holder, 5, 28, 0, "", "threeinlets.bc3")
    add(cool_mesh, 4, 23, 0, MATERIALS[0]["name"], "coolplate.mtl")
    add(cool_mesh, 5, 28, 0, "", "coolplate.bc3")
    add_flow_scenarios(folder, add, mid, flr, main_bc)
    add_valve_gate_scenarios(folder, add, pp, flr, main_bc)
    add_process_scenarios(folder, add, mid)
    add_advanced_flow_scenarios(folder, add)
    add_preparation_scenarios(folder, add, flr, pp, main_bc)
    write(os.path.join(folder, "project.zqp"),
          project_file("Sample project", tree_order(nodes), len(nodes)), crlf=False)


def add_advanced_flow_scenarios(folder, add):
    """Nodes the sessions of the flow wizard's advanced options start from,
    added after every earlier node so that no id changes: a standalone
    packing on the 3D mesh, below the 3D fill and pack it follows."""
    pp = MATERIALS[0]
    flr3d = next(n for n in range(len(NODE_FILES)) if NODE_FILES[n] == "flow3d.flr")
    rows = [("ANALYSIS_DESCRIPTION", "Standalone packing on the 3D mesh"), ("ANALYSIS_PROGRAM", "zqflow3d"),
            ("ANALYSIS_MESH_FILE", "plate3.zq3"), ("ANALYSIS_MATERIAL_FILE", "pp3d.mtl")]
    rows += material_rows(pp)
    rows += [("MOLD3D_ANALYSIS_AIM", "PACKING_STANDALONE"), ("MELT_TEMPERATURE", 230.0),
             ("MOLD_TEMPERATURE", 40.0), ("INJECTION", "TIME"), ("INJECTION_TIME", 0.9)]
    write(os.path.join(folder, "packing-3d.fin"), keyword_file("Flow analysis input", rows))
    fin = add(flr3d, 6, 27, 0, "Standalone packing on the 3D mesh", "packing-3d.fin", 0, 3)
    add(fin, 7, 27, 1, "", "packing-3d.flr", 0, 3)


def write_structural_nodes(folder, add, mid, flr):
    """The warpage and stress wizards' scenarios, added after every older node
    so that no node id changes: a boundary-condition set for each analysis,
    earlier warpage analyses of the aims a later analysis may or may not
    follow, and a material without shrinkage data."""
    for name, kind in (("loads.bs3", "LOAD"), ("supports.bw3", "FIXED")):
        write(os.path.join(folder, name), "*MODEL     plate1.zql\n\t1\t1\t1\n*NODAL     %s\n\t1\t1\t1\n\t5\t1\t1\n" % kind)
    add(mid, 5, 30, 0, "Loads on the plate", "loads.bs3")
    add(mid, 5, 29, 0, "Supports of the plate", "supports.bw3")
    for stem, label, aim in (("buckling", "Buckling after fill and pack", "LINEAR_BUCKLING"),
                             ("largedefl", "Large deflection after fill and pack", "LARGE_DEFLECTION"),
                             ("isolated", "Isolated buckling causes", "SVA_LINEAR_BUCKLING")):
        write(os.path.join(folder, stem + ".win"), keyword_file("Warpage analysis input", [
            ("ANALYSIS_DESCRIPTION", label), ("ANALYSIS_PROGRAM", "warp"),
            ("ANALYSIS_MESH_FILE", "plate1.zql"), ("ANALYSIS_FLOW_RESULT_FILE", "flow1.flr"),
            ("3DSTRUCT_ANALYSIS_AIM", aim), ("3DSTRUCT_OUTPUT_STRESS", True),
            ("3DSTRUCT_SHRINK_DATA_SOURCE", "THERMAL_STRESS")]))
        write(os.path.join(folder, stem + ".wpr"), result_text("Warpage result of " + stem, [
            ("RESULT_MAXIMUM_DEFLECTION", 3.1e-4)]))
        win = add(flr, 6, 29, 0, label, stem + ".win")
        add(win, 7, 29, 0, "", stem + ".wpr")
    write(os.path.join(folder, "gpps_noshrink.mtl"), keyword_file("Material: GPPS without shrinkage data", [
        ("MATERIAL_NAME", "GPPS without shrinkage data"), ("MATERIAL_MANUFACTURER", "Generic"),
        ("MATERIAL_FAMILY", "PS"), ("MATERIAL_RECOMMENDED_MELT_TEMPERATURE", 220.0),
        ("MATERIAL_RECOMMENDED_MOLD_TEMPERATURE", 40.0), ("MATERIAL_SOLID_DENSITY", 1050.0),
        ("MATERIAL_ELASTIC_MODULUS", 3.2e9), ("MATERIAL_POISSON_RATIO", 0.35)]))
    add(mid, 4, 23, 0, "GPPS without shrinkage data", "gpps_noshrink.mtl")


def main():
    write_solver_files()
    write_machines()
    write_materials()
    write_sample_project()


if __name__ == "__main__":
    main()
