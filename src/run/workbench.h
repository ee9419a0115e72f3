#pragma once
// Everything a run shares, in one value. A test builds a fresh Workbench on its own surface; two
// workbenches never share state.

#include "alexander/twisted_results.h"
#include "base/failure.h"
#include "base/panels.h"
#include "base/random_generator.h"
#include "base/run_settings.h"
#include "bounds/evaluation_state.h"
#include "group/presentation.h"
#include "homs/isotopy_group.h"
#include "poly/field.h"
#include "poly/poly_matrix.h"
#include "reps/image_state.h"
#include "reps/representation.h"
#include "run/homomorphism_store.h"
#include "run/isotopy_state.h"
#include "run/norm_run_state.h"
#include "run/report_state.h"
#include "run/run_events.h"
#include "run/run_values.h"
#include "simplify/simplification.h"

namespace quarvel {

struct Workbench {
  explicit Workbench(PanelSurface& surface, RunEvents& runEvents = NoRunEvents())
      : panels(surface), events(&runEvents) {}

  RunSettings settings;  // what Start derived from the options; a run only reads them
  RunValues current;     // what the run moves, started from the settings
  Panels panels;
  RunEvents* events;  // never null; told of each result as it arises
  FailureState failure;
  Presentation presentation;
  Simplification simplification;
  RandomGenerator random;
  PrimeField field;  // the field in use; the driver sets it from the run's prime
  NormRunState run;
  Representation representation;
  ImageState image;  // the image of the representation in S_k, its order and the generator bound
  PolyMatrix matrix;
  TwistedResults twisted;
  EvaluationState evaluation;
  IsotopyGroup isotopyGroup;
  HomomorphismStore homomorphisms;
  IsotopyState isotopy;
  ReportState reports;  // what the report writers carry from before the reduction to after it
};

}  // namespace quarvel
