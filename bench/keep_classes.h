#pragma once
// The enumeration as a run drives it, without the twisted polynomials: every class of homomorphisms
// of the workbench's simplified group into its tabulated isotopy group, extended to the eliminated
// generators and kept.

#include "base/run_control.h"
#include "homs/enumerate_homomorphisms.h"
#include "run/homomorphism_store.h"
#include "run/workbench.h"

namespace quarvel {

inline HomomorphismCounts KeepClasses(const Workbench& wb, HomomorphismStore& store) {
  NoRunControl control;
  NoEnumerationProgress progress;
  const IsotopyGroup& group = wb.isotopyGroup;
  return EnumerateHomomorphisms(SimplifiedRelatorsOf(wb.presentation, wb.simplification), group,
                                wb.settings.allHomomorphisms, control, progress,
                                [&](const Assignment& images, const HomomorphismCounts&) {
                                  return !StoreHomomorphism(
                                      store,
                                      ExtendToEliminated(group, wb.simplification.substitutionList, images),
                                      wb.settings.memoryCeilingBytes);
                                })
      .counts;
}

}  // namespace quarvel
