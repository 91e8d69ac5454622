// A callable passed down a call without being copied: the object's address
// and one plain function that calls it. Unlike std::function it owns nothing
// and allocates nothing, and each callable costs one small function instead
// of a manager and an invoker. The callable must outlive the FunctionRef, as
// it does when the FunctionRef is a parameter.
#pragma once

#include <memory>
#include <type_traits>
#include <utility>

namespace vp {

template <typename Signature> class FunctionRef;

template <typename Result, typename... Args> class FunctionRef<Result(Args...)> {
  public:
    template <typename Callable>
    requires(!std::is_same_v<std::remove_cvref_t<Callable>, FunctionRef> &&
             std::is_invocable_r_v<Result, Callable &, Args...>) FunctionRef(Callable &&callable)
        : m_object(const_cast<void *>(static_cast<const void *>(std::addressof(callable)))),
          m_call([](void *object, Args... args) -> Result {
              return (*static_cast<std::remove_reference_t<Callable> *>(object))(
                  std::forward<Args>(args)...);
          }) {}

    Result operator()(Args... args) const { return m_call(m_object, std::forward<Args>(args)...); }

  private:
    void *m_object;
    Result (*m_call)(void *, Args...);
};

} // namespace vp
