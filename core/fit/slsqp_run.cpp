#include "fit/slsqp_run.h"

#include <memory>

#include "fit/nlopt_library.h"

nlopt_result RunSlsqp(const SlsqpRun& run, std::vector<double>& x) {
    const NloptLibrary& nlopt = Nlopt();
    const std::unique_ptr<nlopt_opt_s, decltype(nlopt.destroy)> optimiser(
        nlopt.create(NLOPT_LD_SLSQP, static_cast<unsigned>(x.size())), nlopt.destroy);
    if (!optimiser) {
        return NLOPT_OUT_OF_MEMORY;
    }
    const std::vector<double> inequalityTolerances(run.inequalities, run.constraintTolerance);
    const double equalityTolerances[] = {run.constraintTolerance, run.constraintTolerance};
    nlopt_opt opt = optimiser.get();
    // The settings are made in this order; the first that fails is the result.
    for (const nlopt_result set : {
             nlopt.setMinObjective(opt, run.objective, run.data),
             nlopt.addInequalityMconstraint(opt, run.inequalities, run.inequalityRows, run.data,
                                            inequalityTolerances.data()),
             nlopt.addEqualityMconstraint(opt, 2, run.equalityRows, run.data, equalityTolerances),
             run.xtolRel > 0.0 ? nlopt.setXtolRel(opt, run.xtolRel)
                               : nlopt.setFtolAbs(opt, run.ftolAbs),
             nlopt.setMaxeval(opt, run.maxEvaluations),
         }) {
        if (set < 0) {
            return set;
        }
    }
    double bound = 0.0;
    return nlopt.optimize(opt, x.data(), &bound);
}
