#pragma once

#include "threads/GlVertexBuffer.h"
#include "threads/VertexData.h"

#include <optional>

// A vertex buffer together with the key of what it was built from: asked for with a key, it
// rebuilds and uploads its vertices only when the key differs from the last one, so frames
// that change nothing the vertices depend on draw what is already on the GL side.
template<typename Key> class CachedVertexBuffer
{
public:
    // `build` makes the VertexData for `key`; it runs only when the key has changed.
    template<typename Build> const GlVertexBuffer &get(const Key &key, Build build)
    {
        if (!m_key || !(*m_key == key)) {
            m_buffer.upload(build());
            m_key = key;
        }
        return m_buffer;
    }

private:
    GlVertexBuffer m_buffer;
    std::optional<Key> m_key;
};
