// Keeps the page's files so that it installs and flies offline: each answer from the network
// is kept, and when the network gives none the kept one is used. The network comes first, so a
// new build is seen at once.
'use strict';

const cacheName = 'quarnel';
const pageFiles = ['./', 'index.html', 'quarnelPage.js', 'quarnel.js', 'quarnel.wasm',
                   'manifest.webmanifest', 'icon.svg', 'flights/cruise.txt'];
// Only a cross-origin isolated page loads these; a server may leave them out.
const threadFiles = ['quarnel-threads.js', 'quarnel-threads.wasm', 'quarnel-threads.worker.js'];

self.addEventListener('install', (event) => {
  event.waitUntil(caches.open(cacheName)
    .then((cache) => Promise.all([cache.addAll(pageFiles),
                                  ...threadFiles.map((file) => cache.add(file).catch(() => {}))]))
    .then(() => self.skipWaiting()));
});

self.addEventListener('activate', (event) => {
  event.waitUntil(self.clients.claim());
});

self.addEventListener('fetch', (event) => {
  const request = event.request;
  if (request.method !== 'GET' || new URL(request.url).origin !== self.location.origin) {
    return;
  }
  event.respondWith((async () => {
    const cache = await caches.open(cacheName);
    try {
      const response = await fetch(request);
      if (response.ok) {
        // The page's address without its query: one copy serves every scene.
        const key = request.mode === 'navigate' ? new URL('./', self.location).href : request;
        await cache.put(key, response.clone());
      }
      return response;
    } catch (error) {
      const kept = request.mode === 'navigate'
        ? await cache.match('./')
        : await cache.match(request, { ignoreSearch: true });
      if (kept) {
        return kept;
      }
      throw error;
    }
  })());
});
